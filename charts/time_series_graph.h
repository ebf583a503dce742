#pragma once
// Data series against time: a dark panel with a title, a dotted time grid labelled with the
// age of each line, a labelled value grid, optional red reference lines, an optional legend
// with each series' newest value, and one coloured polyline per series. The newest sample
// stands at the right edge; older ones run left as far as the shown span reaches. The x of
// a point is stamp seconds; only differences of them are used.

#include <memory>
#include <string>
#include <vector>

#include "charts/data_trace.h"
#include "platform/canvas.h"

class CTimeSeriesGraph {
 public:
  // How the shown value range follows the data.
  static constexpr int kRangeScrolling = 1;  // quarter-height steps, never below zero
  static constexpr int kRangeSymmetric = 2;  // about the newest value of the first trace
  static constexpr int kRangeFixed = 5;
  // What the values are.
  static constexpr int kValuePlain = 0;
  static constexpr int kValueLatitude = 2;
  static constexpr int kValueLongitude = 3;

  CTimeSeriesGraph();

  // The graph owns its traces; they are drawn and listed in the order they were added.
  void AddTrace(std::unique_ptr<CDataTrace> pTrace);
  void DeleteAllTraces();
  int GetSize() const { return static_cast<int>(m_traces.size()); }
  CDataTrace& GetTrace(int nIndex) { return *m_traces[static_cast<std::size_t>(nIndex)]; }
  const CDataTrace& GetTrace(int nIndex) const {
    return *m_traces[static_cast<std::size_t>(nIndex)];
  }

  // Configures the value range; equal magnitudes make it symmetric about zero.
  void SetYRange(double dMin, double dMax);
  // Chooses the value grid step from the height of the value range.
  void UpdateYStep();

  // Draws the whole graph into the rectangle.
  void Draw(Canvas& dc, const CanvasRect& rect);

  std::string m_strTitle;
  CanvasFont m_font{"Verdana", 80, 400, 0};
  CanvasColour m_crBack = MakeRgb(85, 85, 85);
  CanvasColour m_crReference = MakeRgb(255, 0, 0);
  CanvasColour m_crText = MakeRgb(255, 255, 255);
  CanvasColour m_crTitle = MakeRgb(255, 255, 0);
  CanvasPen m_penGridDot{PenStyle::kDot, MakeRgb(192, 192, 192)};
  CanvasPen m_penAxis{PenStyle::kSolid, MakeRgb(255, 255, 255)};
  CanvasPen m_penReference{PenStyle::kDash, MakeRgb(255, 0, 0)};
  double m_dTimeSpan = 86400.0;
  double m_dShownSpan = 0.0;
  double m_dTimeStep = 0.0;
  double m_dYRange = 10.0;
  double m_dYMin = 0.0;
  double m_dYMax = 10.0;
  double m_dShowMin = 0.0;
  double m_dShowMax = 0.0;
  double m_dYStep = 5.0;
  int m_nValueKind = kValuePlain;
  std::string m_strYName;
  std::string m_strYFormat = "%.0lfm";
  std::string m_strValueFormat = "%.2lfm";
  bool m_bLegend = false;
  double m_dXScale = 0.0;
  double m_dYScale = 0.0;
  // Multipliers of plotted latitude and longitude changes (value kinds 2 and 3), for
  // example metres per radian to plot them in metres.
  double m_dLatFactor = 1.0;
  double m_dLonFactor = 1.0;
  int m_nRangeMode = kRangeSymmetric;
  double m_dRefLine1 = 0.0;
  double m_dRefLine2 = 0.0;
  CanvasRect m_rcPlot;

 private:
  void DrawPlot(Canvas& dc, const CanvasRect& rect);
  void DrawLegend(Canvas& dc, const CanvasRect& rect);
  void DrawTitle(Canvas& dc, const CanvasRect& rect);

  void UpdateShownRange();
  void UpdateShownSpan();
  double DataSpan() const;
  int RowOf(double dValue) const;
  double OriginValue() const;
  void DrawTimeGrid(Canvas& dc);
  void DrawValueGrid(Canvas& dc);
  void DrawHorizontalLine(Canvas& dc, double dValue);
  void DrawTrace(Canvas& dc, const CDataTrace& trace, double dOrigin);
  void DrawOriginLabel(Canvas& dc, double dOrigin);
  const CDataTrace* FirstTrace() const;

  std::vector<std::unique_ptr<CDataTrace>> m_traces;
};
