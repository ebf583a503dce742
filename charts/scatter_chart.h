#pragma once
// How the reported position wanders: the newest 1000 fixes as dots on a local east/north
// plane in metres, centred on their mean, over green, yellow and pink target rings 10, 20
// and 30 metres out, a lattice of crosses every 10 metres and axes labelled in metres. The
// newest fix inside the plot gets a larger blue dot. Angle differences become metres with
// the WGS 84 radii of curvature at the centre latitude. The chart paints no background.

#include <optional>

#include "charts/xy_array.h"
#include "platform/canvas.h"
#include "settings/ellipsoid.h"

class CScatterChart {
 public:
  CScatterChart();

  // Adds a fix (radians); a position with both angles 0 is a sentence without a fix, and
  // one that is no place on Earth (IsPosition) a corrupted one: both are ignored.
  void AddPosition(double dLon, double dLat);
  void Draw(Canvas& dc, const CanvasRect& rect);

  // Pixel of a held position in the last draw's geometry.
  int PixelX(double dLon) const;
  int PixelY(double dLat) const;

  CEllipsoid m_ellipsoid;
  double m_dRefLon = 0.0;
  double m_dRefLat = 0.0;
  int m_nMaxPositions = 1000;
  CanvasFont m_font{"Verdana", 80, 400, 0};
  CanvasColour m_crAxisText = MakeRgb(192, 192, 192);
  CanvasPen m_penScale{PenStyle::kSolid, MakeRgb(192, 192, 192)};
  CanvasPen m_penPoint{PenStyle::kSolid, MakeRgb(255, 0, 255)};
  CanvasPen m_penLatest{PenStyle::kSolid, MakeRgb(0, 0, 255)};
  CanvasBrush m_brPoint{MakeRgb(255, 0, 255)};
  CanvasBrush m_brInner{MakeRgb(204, 255, 204)};
  CanvasBrush m_brMiddle{MakeRgb(255, 255, 153)};
  CanvasBrush m_brOuter{MakeRgb(255, 128, 128)};
  CanvasBrush m_brLatest{MakeRgb(0, 0, 255)};
  double m_dPixelsPerMetre = 0.0;
  double m_dRingStep = 10.0;
  int m_cx = 0;
  int m_cy = 0;
  double m_dMetresPerRadLat = 1.0;
  double m_dMetresPerRadLon = 1.0;
  CanvasRect m_rcPlot;
  CXYArray m_points;
  double m_dSumLon = 0.0;
  double m_dSumLat = 0.0;

 private:
  void UpdateScaleFactors();
  void DrawRings(Canvas& dc);
  void DrawCrosses(Canvas& dc, const CanvasRect& rcMargin, double hx, double hy);
  void DrawTicksAndAxes(Canvas& dc, double hx, double hy, int nCharWidth);
  void DrawAxisLabels(Canvas& dc, const CanvasRect& rcMargin, double hx, double hy);
  void DrawPositions(Canvas& dc);
};
