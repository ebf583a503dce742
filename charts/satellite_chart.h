#pragma once
// The satellites in view, drawn from the owner's table of 24 records at every paint: the sky
// plot (horizon circle, zenith at the centre, north up, east right, one numbered disc per
// satellite coloured by its use in the fix) and two bar charts (signal-to-noise ratio and
// elevation, one bar per satellite in table order). The chart keeps no satellite data.

#include <string>

#include "nmea/sat_info.h"
#include "platform/canvas.h"

class CSatelliteChart {
 public:
  // Background, compass letters, rings and spokes; the satellites when there is a table.
  // Leaves pen, brush, text colour and background mode as found, the chart's font selected.
  void DrawSkyPlot(Canvas& dc, const CanvasRect& rect);
  // Leave alignment, background mode and colour as found, the text colour m_crLabel and the
  // chart's font and grid pen selected.
  void DrawSnrChart(Canvas& dc, const CanvasRect& rect);
  void DrawElevationChart(Canvas& dc, const CanvasRect& rect);

  // The owner's table; null draws the charts without satellites.
  const SSatTable* m_pSatellites = nullptr;
  CanvasFont m_font{"Tahoma", 80, 400, 0};
  CanvasColour m_crBackground = MakeRgb(192, 192, 192);
  CanvasColour m_crScaleText = MakeRgb(0, 0, 64);
  CanvasColour m_crCompassText = MakeRgb(0, 0, 255);
  CanvasColour m_crUsedGps = MakeRgb(0, 128, 0);
  CanvasColour m_crUsedSbas = MakeRgb(255, 128, 0);
  CanvasColour m_crUsedGlonass = MakeRgb(128, 0, 128);
  CanvasColour m_crNotUsed = MakeRgb(128, 0, 0);
  CanvasColour m_crPrnText = MakeRgb(255, 255, 0);
  CanvasColour m_crPanel = MakeRgb(128, 128, 128);
  CanvasColour m_crLabel = MakeRgb(0, 0, 0);
  CanvasBrush m_brNotUsed{m_crNotUsed};
  CanvasBrush m_brUsedGps{m_crUsedGps};
  CanvasBrush m_brUsedSbas{m_crUsedSbas};
  CanvasBrush m_brUsedGlonass{m_crUsedGlonass};
  CanvasBrush m_brFrame{MakeRgb(0, 0, 0)};
  CanvasBrush m_brHollow{MakeRgb(0, 0, 0), true};
  CanvasPen m_penOutline{PenStyle::kSolid, MakeRgb(0, 0, 0)};
  CanvasPen m_penGrid{PenStyle::kSolid, MakeRgb(128, 128, 128)};

  // The number shown for a PRN: its place within its group of 32 (PRN 33 and 65 show 1).
  static unsigned GroupNumber(unsigned nPrn);
  // The fill of a satellite's disc and bar: by PRN range when used, maroon otherwise.
  const CanvasBrush& FillFor(const SSatInfo& sat) const;

 private:
  struct SBarChartKind;
  void DrawBarChart(Canvas& dc, const CanvasRect& rect, const SBarChartKind& kind);
  void DrawSkyScales(Canvas& dc, int cx, int cy, int R, const CanvasRect& rcSquare);
  void DrawSkySatellites(Canvas& dc, int cx, int cy, int R);
};
