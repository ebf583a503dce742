#include "charts/chart_drawing.h"

void FillSolid(Canvas& dc, const CanvasRect& rect, CanvasColour colour) {
  dc.FillRect(rect, colour);
  dc.SetBackgroundColour(colour);
}

CanvasFont SelectBoldFont(Canvas& dc, CanvasFont& font, int tenthsOfPoint, int escapement) {
  constexpr int kBold = 700;
  font.weight = kBold;
  font.tenthsOfPoint = tenthsOfPoint;
  font.escapement = escapement;
  return dc.SelectFont(font);
}
