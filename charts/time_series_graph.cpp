#include "charts/time_series_graph.h"

#include <cmath>
#include <utility>

#include "charts/chart_drawing.h"
#include "platform/c_format.h"
#include "settings/angle_format.h"

namespace {

constexpr int kTitleFont = 120;
constexpr int kLabelFont = 80;
// No picture holds more grid lines than this; it bounds the grid loops whatever the data.
constexpr int kMaxGridLines = 10000;

double TimeStepFor(double dSpan) {
  struct SStep {
    double dUpTo;
    double dStep;
  };
  static constexpr SStep kSteps[] = {{600, 60},      {1800, 300},     {3600, 600},
                                     {7200, 900},    {10800, 1800},   {21600, 3600},
                                     {86400, 10800}, {172800, 21600}, {345600, 43200}};
  for (const SStep& step : kSteps) {
    if (dSpan <= step.dUpTo) {
      return step.dStep;
    }
  }
  return 86400;
}

}  // namespace

CTimeSeriesGraph::CTimeSeriesGraph() { SetYRange(0, 10); }

void CTimeSeriesGraph::AddTrace(std::unique_ptr<CDataTrace> pTrace) {
  m_traces.push_back(std::move(pTrace));
}

void CTimeSeriesGraph::DeleteAllTraces() { m_traces.clear(); }

const CDataTrace* CTimeSeriesGraph::FirstTrace() const {
  return m_traces.empty() ? nullptr : m_traces.front().get();
}

void CTimeSeriesGraph::SetYRange(double dMin, double dMax) {
  if (std::fabs(dMin) == std::fabs(dMax)) {
    m_dYMax = std::fabs(dMax);
    m_dYMin = -std::fabs(dMax);
  } else {
    m_dYMin = dMin;
    m_dYMax = dMax;
  }
  m_dYRange = m_dYMax - m_dYMin;
  if (m_dYRange == 0) {
    m_dYRange = 10;
  }
  UpdateYStep();
}

void CTimeSeriesGraph::UpdateYStep() {
  const double r = m_dYRange;
  if (r > 0 && r <= 1) {
    m_dYStep = 0.1;
  } else if (r > 1 && r <= 5) {
    m_dYStep = 1;
  } else if (r > 5 && r <= 25) {
    m_dYStep = 5;
  } else if (r > 25 && r <= 50) {
    m_dYStep = 10;
  } else if (r > 50 && r <= 250) {
    m_dYStep = 50;
  } else if (r > 250 && r <= 500) {
    m_dYStep = 100;
  } else {
    m_dYStep = 500;
  }
}

void CTimeSeriesGraph::Draw(Canvas& dc, const CanvasRect& rect) {
  FillSolid(dc, rect, m_crBack);
  DrawPlot(dc, rect);
  if (m_bLegend) {
    DrawLegend(dc, rect);
  }
  DrawTitle(dc, rect);
}

void CTimeSeriesGraph::UpdateShownRange() {
  const CDataTrace* pFirst = FirstTrace();
  if (m_nRangeMode == kRangeFixed) {
    m_dShowMin = m_dYMin;
    m_dShowMax = m_dYMax;
    m_dYRange = m_dYMax - m_dYMin;
    if (m_dYRange == 0) {
      m_dYRange = 10;
    }
  } else if (m_nRangeMode == kRangeScrolling) {
    double r = m_dYMax - m_dYMin;
    if (r == 0) {
      r = 10;
    }
    m_dYRange = r;
    if (pFirst != nullptr && pFirst->GetSize() >= 2) {
      // The window moves in quarter steps and keeps the newest value between half and
      // three quarters of its height.
      const double q = std::floor(4 * pFirst->Newest().y / r);
      m_dShowMin = q * r / 4 - r / 2;
      m_dShowMax = m_dShowMin + r;
    } else {
      m_dShowMin = m_dYMin;
      m_dShowMax = m_dYMax;
    }
    if (m_dShowMin < 0) {
      m_dShowMin = 0;
      m_dShowMax = r;
    }
  } else if (m_nRangeMode == kRangeSymmetric) {
    const double m = std::max(std::fabs(m_dYMin), std::fabs(m_dYMax));
    m_dShowMin = -m;
    m_dShowMax = m;
    m_dYRange = 2 * m;
    if (m_dYRange == 0) {
      m_dYRange = 10;
      m_dShowMin = -5;
      m_dShowMax = 5;
    }
  }
  UpdateYStep();
}

double CTimeSeriesGraph::DataSpan() const {
  const CDataTrace* pFirst = FirstTrace();
  if (pFirst == nullptr || pFirst->GetSize() < 2) {
    return 0;
  }
  return std::ceil(pFirst->Newest().x - pFirst->Oldest().x);
}

void CTimeSeriesGraph::UpdateShownSpan() {
  const double d = DataSpan();
  if (m_dTimeSpan >= d) {
    m_dShownSpan = m_dTimeSpan;
  } else if (m_dTimeStep == 0) {
    m_dShownSpan = d;
  } else {
    // The data outgrow the configured span: widen in whole grid steps from the last draw.
    m_dShownSpan = std::ceil(m_dShownSpan / m_dTimeStep) * m_dTimeStep;
    if (m_dShownSpan < d) {
      m_dShownSpan += std::ceil((d - m_dShownSpan) / m_dTimeStep) * m_dTimeStep;
    }
    while (m_dShownSpan < d) {
      m_dShownSpan += m_dTimeStep;
    }
  }
}

int CTimeSeriesGraph::RowOf(double dValue) const {
  return m_rcPlot.bottom - TruncateToPixel((dValue - m_dShowMin) * m_dYScale);
}

double CTimeSeriesGraph::OriginValue() const {
  const CDataTrace* pFirst = FirstTrace();
  if (m_nRangeMode == kRangeSymmetric && pFirst != nullptr && !pFirst->IsEmpty()) {
    return pFirst->Newest().y;
  }
  return 0;
}

void CTimeSeriesGraph::DrawPlot(Canvas& dc, const CanvasRect& rect) {
  const TextAlign savedAlign = dc.State().align;
  const CanvasPen savedPen = dc.State().pen;
  const CanvasColour savedColour = dc.SetTextColour(m_crText);
  const CanvasFont savedFont = SelectBoldFont(dc, m_font, kTitleFont);
  m_rcPlot = rect;
  m_rcPlot.top += dc.TextExtent(" ").cy;

  UpdateShownRange();
  UpdateShownSpan();
  m_dXScale = m_rcPlot.Width() / m_dShownSpan;
  m_dTimeStep = TimeStepFor(m_dShownSpan);
  m_dYScale = m_rcPlot.Height() / m_dYRange;

  DrawTimeGrid(dc);
  DrawValueGrid(dc);

  dc.SelectPen(m_penReference);
  for (double dLine : {m_dRefLine1, m_dRefLine2}) {
    if (dLine != 0 && dLine > m_dShowMin && dLine < m_dShowMax) {
      DrawHorizontalLine(dc, dLine);
    }
  }

  // The origin line only where zero is in the shown range: a scrolled range above zero
  // would put it below the plot, over whatever lies there.
  dc.SelectPen(m_penAxis);
  if (m_dShowMin <= 0 && 0 <= m_dShowMax) {
    DrawHorizontalLine(dc, 0);
  }

  const double dOrigin = OriginValue();
  for (const auto& pTrace : m_traces) {
    if (!pTrace->IsEmpty()) {
      DrawTrace(dc, *pTrace, dOrigin);
    }
  }
  if (m_nRangeMode == kRangeSymmetric) {
    DrawOriginLabel(dc, dOrigin);
  }

  dc.SetTextAlign(savedAlign);
  dc.SetTextColour(savedColour);
  dc.SelectFont(savedFont);
  dc.SelectPen(savedPen);
}

void CTimeSeriesGraph::DrawHorizontalLine(Canvas& dc, double dValue) {
  const int y = RowOf(dValue);
  dc.DrawLine(m_rcPlot.right, y, m_rcPlot.left, y);
}

void CTimeSeriesGraph::DrawTimeGrid(Canvas& dc) {
  dc.SelectPen(m_penGridDot);
  SelectBoldFont(dc, m_font, kLabelFont);
  dc.SetTextAlign({HAlign::kCentre, VAlign::kBottom});
  const bool bMinutes = m_dShownSpan <= 10800;
  for (int n = 1; n < kMaxGridLines; ++n) {
    const double t = n * m_dTimeStep;
    if (!(t < m_dShownSpan)) {
      break;
    }
    const int x = m_rcPlot.right - TruncateToPixel(t * m_dXScale);
    dc.DrawLine(x, m_rcPlot.bottom, x, m_rcPlot.top);
    const std::string strLabel = bMinutes ? FormatC("%.0lfmin", t / 60) : FormatC("%.0lfhr", t / 3600);
    dc.DrawText(x - 2, m_rcPlot.bottom - 2, strLabel);
  }
}

void CTimeSeriesGraph::DrawValueGrid(Canvas& dc) {
  SelectBoldFont(dc, m_font, kLabelFont);
  dc.SetTextAlign({HAlign::kLeft, VAlign::kBaseline});
  double v = std::floor(m_dShowMin / m_dYStep) * m_dYStep;
  if (v < m_dShowMin) {
    v += m_dYStep;
  }
  // A value so large that a step no longer changes it ends the loop as well.
  for (int n = 0; v <= m_dShowMax && n < kMaxGridLines; ++n) {
    const int y = RowOf(v);
    dc.DrawLine(m_rcPlot.right, y, m_rcPlot.left, y);
    dc.DrawText(m_rcPlot.left + 5, y - 2, FormatC(m_strYFormat.c_str(), v));
    const double next = v + m_dYStep;
    if (next == v) {
      break;
    }
    v = next;
  }
}

void CTimeSeriesGraph::DrawTrace(Canvas& dc, const CDataTrace& trace, double dOrigin) {
  const CanvasPen savedPen = dc.SelectPen({PenStyle::kSolid, trace.m_crTrace});
  double dFactor = 1;
  if (m_nValueKind == kValueLatitude) {
    dFactor = m_dLatFactor;
  } else if (m_nValueKind == kValueLongitude) {
    dFactor = m_dLonFactor;
  }
  // Locals, not members: the canvas calls in the loop would make the compiler reload them.
  const CanvasRect rcPlot = m_rcPlot;
  const double dShownSpan = m_dShownSpan;
  const double dXScale = m_dXScale;
  const double dYScale = m_dYScale;
  const double dShowMin = m_dShowMin;
  const double dNewestX = trace.Newest().x;
  bool bPenDown = false;
  int nLastX = 0;
  int nLastY = 0;
  for (const tagXY& point : trace) {
    const double dAge = std::fabs(dNewestX - point.x);
    if (dAge > dShownSpan) {
      break;
    }
    const int px = rcPlot.right - TruncateToPixel(dAge * dXScale);
    // The row of the value, as RowOf computes it.
    const double dValue = (point.y - dOrigin) * dFactor;
    const int py = rcPlot.bottom - TruncateToPixel((dValue - dShowMin) * dYScale);
    if (!rcPlot.Contains(px, py)) {
      bPenDown = false;
    } else if (!bPenDown) {
      dc.MoveTo(px, py);
      bPenDown = true;
    } else if (px != nLastX || py != nLastY) {
      // A line to the pixel the pen stands on draws nothing; long traces hit many.
      dc.LineTo(px, py);
    }
    nLastX = px;
    nLastY = py;
  }
  dc.SelectPen(savedPen);
}

void CTimeSeriesGraph::DrawOriginLabel(Canvas& dc, double dOrigin) {
  constexpr int kLatitudeAngle = 5;
  constexpr int kLongitudeAngle = 6;
  constexpr int kDegreesDecimalMinutes = 1;
  constexpr int kDecimals = 4;
  dc.SelectPen(m_penAxis);
  dc.SetTextAlign({HAlign::kRight, VAlign::kBaseline});
  std::string strLabel;
  if (m_nValueKind == kValueLatitude) {
    strLabel = FormatAngle(kLatitudeAngle, dOrigin, kDegreesDecimalMinutes, kDecimals);
  } else if (m_nValueKind == kValueLongitude) {
    strLabel = FormatAngle(kLongitudeAngle, dOrigin, kDegreesDecimalMinutes, kDecimals);
  } else {
    strLabel = FormatC(m_strYFormat.c_str(), dOrigin);
  }
  dc.DrawText(m_rcPlot.right - 2, RowOf(0) - 3, strLabel);
}

void CTimeSeriesGraph::DrawLegend(Canvas& dc, const CanvasRect& rect) {
  const TextAlign savedAlign = dc.SetTextAlign({HAlign::kRight, VAlign::kTop});
  const CanvasColour savedColour = dc.State().textColour;
  const CanvasFont savedFont = SelectBoldFont(dc, m_font, kLabelFont);
  const CanvasSize extent = dc.TextExtent(FormatC(m_strYFormat.c_str(), 0.0) + "  ");
  const int x = rect.right - extent.cx;
  int y = rect.top;
  for (const auto& pTrace : m_traces) {
    if (!pTrace->IsEmpty()) {
      dc.SetTextColour(pTrace->m_crTrace);
      const std::string strValue = FormatC(m_strValueFormat.c_str(), pTrace->Newest().y);
      dc.DrawText(x, y, pTrace->m_strTraceName + "  " + strValue);
    }
    y += extent.cy;
  }
  dc.SelectFont(savedFont);
  dc.SetTextAlign(savedAlign);
  dc.SetTextColour(savedColour);
}

void CTimeSeriesGraph::DrawTitle(Canvas& dc, const CanvasRect& rect) {
  const CanvasFont savedFont = SelectBoldFont(dc, m_font, kTitleFont);
  const TextAlign savedAlign = dc.SetTextAlign({HAlign::kCentre, VAlign::kTop});
  const CanvasColour savedColour = dc.SetTextColour(m_crTitle);
  std::string strTitle = "Time Series Graph";
  if (!m_strYName.empty()) {
    strTitle = "Time v " + m_strYName;
  } else if (!m_strTitle.empty()) {
    strTitle = m_strTitle;
  }
  dc.DrawText((rect.left + rect.right) / 2, rect.top, strTitle);
  dc.SetTextColour(savedColour);
  dc.SetTextAlign(savedAlign);
  dc.SelectFont(savedFont);
}
