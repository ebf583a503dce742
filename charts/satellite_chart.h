#pragma once
// The satellites in view, drawn from the owner's data at every paint: the sky plot (horizon
// circle, zenith at the centre, north up, east right, one numbered disc per satellite
// coloured by its system when used in the fix) and two bar charts (signal-to-noise ratio and
// elevation, one bar per satellite in order). The data is either the satellite model's view
// of every system or a table of 24 records, whose PRN ranges tell GPS, SBAS and GLONASS
// apart. The chart keeps no satellite data.

#include <string>
#include <vector>

#include "nmea/sat_info.h"
#include "nmea/sky_model.h"
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
  // The satellite model's view; when given it is drawn instead of the table, numbered as
  // each system numbers its satellites, with a legend of the systems when there are others
  // than GPS.
  const std::vector<SSkySatellite>* m_pSky = nullptr;
  CanvasFont m_font{"Tahoma", 80, 400, 0};
  CanvasColour m_crBackground = MakeRgb(192, 192, 192);
  CanvasColour m_crScaleText = MakeRgb(0, 0, 64);
  CanvasColour m_crCompassText = MakeRgb(0, 0, 255);
  CanvasColour m_crUsedGps = MakeRgb(0, 128, 0);
  CanvasColour m_crUsedSbas = MakeRgb(255, 128, 0);
  CanvasColour m_crUsedGlonass = MakeRgb(128, 0, 128);
  CanvasColour m_crUsedGalileo = MakeRgb(0, 64, 192);
  CanvasColour m_crUsedBeiDou = MakeRgb(0, 128, 128);
  CanvasColour m_crUsedQzss = MakeRgb(128, 96, 0);
  CanvasColour m_crUsedNavIc = MakeRgb(64, 64, 64);
  CanvasColour m_crNotUsed = MakeRgb(128, 0, 0);
  CanvasColour m_crPrnText = MakeRgb(255, 255, 0);
  CanvasColour m_crPanel = MakeRgb(128, 128, 128);
  CanvasColour m_crLabel = MakeRgb(0, 0, 0);
  CanvasBrush m_brNotUsed{m_crNotUsed};
  CanvasBrush m_brFrame{MakeRgb(0, 0, 0)};
  CanvasBrush m_brHollow{MakeRgb(0, 0, 0), true};
  CanvasPen m_penOutline{PenStyle::kSolid, MakeRgb(0, 0, 0)};
  CanvasPen m_penGrid{PenStyle::kSolid, MakeRgb(128, 128, 128)};

  // The number shown for a PRN: its place within its group of 32 (PRN 33 and 65 show 1).
  static unsigned GroupNumber(unsigned nPrn);
  // A table record as the chart draws it: system by PRN range, numbered within its group.
  static SSkySatellite FromTable(const SSatInfo& sat);
  // The colour of a used satellite of the system.
  CanvasColour UsedColour(ESatSystem system) const;
  // The fill of a satellite's disc and bar: by system when used, maroon otherwise.
  CanvasBrush FillFor(const SSkySatellite& sat) const;

 private:
  struct SBarChartKind;
  // The satellites to draw, in order: the model's view, else the table's records.
  std::vector<SSkySatellite> Satellites() const;
  bool HasSatellites() const { return m_pSky != nullptr || m_pSatellites != nullptr; }
  // The systems of the model's view, when there are others than GPS; else none.
  std::vector<ESatSystem> LegendSystems() const;
  void DrawBarChart(Canvas& dc, const CanvasRect& rect, const SBarChartKind& kind);
  void DrawSkyScales(Canvas& dc, int cx, int cy, int R, const CanvasRect& rcSquare);
  void DrawSkySatellites(Canvas& dc, int cx, int cy, int R);
  // One legend entry, a swatch in the system's colour and its name, with its top-left
  // corner at (x, y); returns its width.
  int DrawLegendEntry(Canvas& dc, int x, int y, ESatSystem system);
  // The legend in the title row (the top of rcChart) beside the title, right of nPlotLeft.
  void DrawBarLegend(Canvas& dc, const CanvasRect& rcChart, int nPlotLeft, const std::string& strTitle);
};
