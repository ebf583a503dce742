#include "platform/canvas.h"

int FontPixelHeight(const CanvasFont& font) {
  constexpr int kPixelsPerInch = 96;
  constexpr int kTenthsPerInch = 720;
  return (font.tenthsOfPoint * kPixelsPerInch + kTenthsPerInch / 2) / kTenthsPerInch;
}
