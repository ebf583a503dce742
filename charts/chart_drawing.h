#pragma once
// Drawing steps that every chart takes the same way.

#include "platform/canvas.h"

// Paints the rectangle and makes its colour the background of opaque texts drawn after it,
// as a solid fill leaves it on the screen surface the charts were designed for: labels
// drawn on the fill then mask the grid lines beneath them in the same colour.
void FillSolid(Canvas& dc, const CanvasRect& rect, CanvasColour colour);

// Re-creates the chart's font bold (weight 700) at the size and escapement given and selects
// it. Returns the font that was selected before.
CanvasFont SelectBoldFont(Canvas& dc, CanvasFont& font, int tenthsOfPoint, int escapement = 0);
