#include "platform/canvas.h"

#include <cmath>

int TruncateToPixel(double value) {
  // Far enough outside any picture, and small enough that adding two of them cannot overflow.
  constexpr double kFar = 1.0e9;
  if (std::isnan(value)) {
    return -static_cast<int>(kFar);
  }
  if (value >= kFar) {
    return static_cast<int>(kFar);
  }
  if (value <= -kFar) {
    return -static_cast<int>(kFar);
  }
  return static_cast<int>(value);
}

int FontPixelHeight(const CanvasFont& font) {
  constexpr int kPixelsPerInch = 96;
  constexpr int kTenthsPerInch = 720;
  return (font.tenthsOfPoint * kPixelsPerInch + kTenthsPerInch / 2) / kTenthsPerInch;
}
