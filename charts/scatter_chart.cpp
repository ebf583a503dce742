#include "charts/scatter_chart.h"


#include "charts/chart_drawing.h"
#include "charts/metres_per_radian.h"
#include "nmea/nmea_angle.h"
#include "platform/c_format.h"

namespace {

constexpr int kLabelFont = 60;
constexpr int kUpward = 900;
constexpr int kCrossArm = 5;
constexpr int kDotRadius = 2;
// The plot reaches four ring steps from its centre along its shorter side.
constexpr int kHalfExtentSteps = 4;

// Calls fn for g = dFrom, dFrom + dStep, ... while g is below dBelow. The count is bounded
// so that a degenerate scale cannot keep the loop going.
template <typename Fn>
void ForEachStep(double dFrom, double dStep, double dBelow, Fn fn) {
  constexpr int kMaxSteps = 10000;
  for (int n = 0; n < kMaxSteps; ++n) {
    const double g = dFrom + n * dStep;
    if (!(g < dBelow)) {
      break;
    }
    fn(g);
  }
}

}  // namespace

CScatterChart::CScatterChart() { m_points.m_nMaxPoints = m_nMaxPositions; }

void CScatterChart::AddPosition(double dLon, double dLat) {
  // A wild position would wreck the running sums for good, even after it leaves.
  if ((dLat == 0 && dLon == 0) || !IsPosition(dLat, dLon)) {
    return;
  }
  m_points.InsertFirst({dLon, dLat});
  m_dSumLon += dLon;
  m_dSumLat += dLat;
  while (m_points.GetSize() > m_nMaxPositions) {
    m_dSumLon -= m_points.Oldest().x;
    m_dSumLat -= m_points.Oldest().y;
    m_points.RemoveLast();
  }
  m_dRefLon = m_dSumLon / m_points.GetSize();
  m_dRefLat = m_dSumLat / m_points.GetSize();
  UpdateScaleFactors();
}

void CScatterChart::UpdateScaleFactors() {
  const SMetresPerRadian scale = MetresPerRadian(m_ellipsoid, m_dRefLat);
  m_dMetresPerRadLat = scale.dLat;
  m_dMetresPerRadLon = scale.dLon;
}

int CScatterChart::PixelX(double dLon) const {
  const double dEast = (dLon - m_dRefLon) * m_dMetresPerRadLon;
  return m_cx + TruncateToPixel(dEast * m_dPixelsPerMetre);
}

int CScatterChart::PixelY(double dLat) const {
  const double dNorth = (dLat - m_dRefLat) * m_dMetresPerRadLat;
  return m_cy - TruncateToPixel(dNorth * m_dPixelsPerMetre);
}

void CScatterChart::Draw(Canvas& dc, const CanvasRect& rect) {
  m_rcPlot = rect;
  m_cx = (rect.left + rect.right) / 2;
  m_cy = (rect.top + rect.bottom) / 2;
  int s = rect.Width();
  if (s == 0 || (rect.Height() > 0 && rect.Height() < rect.Width())) {
    s = rect.Height();
  }
  m_dPixelsPerMetre = s / (2.0 * kHalfExtentSteps * m_dRingStep);

  const BackgroundMode savedMode = dc.SetBackgroundMode(BackgroundMode::kTransparent);
  const CanvasBrush savedBrush = dc.SelectBrush(m_brInner);
  DrawRings(dc);

  const CanvasPen savedPen = dc.SelectPen(m_penScale);
  SelectBoldFont(dc, m_font, kLabelFont);
  const int nCharWidth = dc.GetTextMetrics().averageCharWidth;
  CanvasRect rcMargin = m_rcPlot;
  rcMargin.left += 7 * nCharWidth;
  rcMargin.bottom -= 7 * nCharWidth;
  const double hx = (m_rcPlot.Width() / 2) / m_dPixelsPerMetre;
  const double hy = (m_rcPlot.Height() / 2) / m_dPixelsPerMetre;
  DrawCrosses(dc, rcMargin, hx, hy);
  DrawTicksAndAxes(dc, hx, hy, nCharWidth);
  DrawAxisLabels(dc, rcMargin, hx, hy);
  DrawPositions(dc);

  dc.SelectPen(savedPen);
  dc.SelectBrush(savedBrush);
  dc.SetBackgroundMode(savedMode);
}

void CScatterChart::DrawRings(Canvas& dc) {
  const CanvasBrush* const brushes[] = {&m_brOuter, &m_brMiddle, &m_brInner};
  for (int r = 3; r >= 1; --r) {
    const int p = TruncateToPixel(r * m_dRingStep * m_dPixelsPerMetre);
    dc.SelectBrush(*brushes[3 - r]);
    dc.Ellipse({m_cx - p, m_cy - p, m_cx + p, m_cy + p});
  }
}

void CScatterChart::DrawCrosses(Canvas& dc, const CanvasRect& rcMargin, double hx, double hy) {
  ForEachStep(0, m_dRingStep, hx, [&](double gx) {
    const int dx = TruncateToPixel(gx * m_dPixelsPerMetre);
    ForEachStep(0, m_dRingStep, hy, [&](double gy) {
      const int dy = TruncateToPixel(gy * m_dPixelsPerMetre);
      const int points[4][2] = {{m_cx + dx, m_cy - dy},
                                {m_cx + dx, m_cy + dy},
                                {m_cx - dx, m_cy + dy},
                                {m_cx - dx, m_cy - dy}};
      for (const auto& point : points) {
        const int x = point[0];
        const int y = point[1];
        if (rcMargin.Contains(x, y)) {
          dc.DrawLine(x, y - kCrossArm, x, y + kCrossArm);
          dc.DrawLine(x - kCrossArm, y, x + kCrossArm, y);
        }
      }
    });
  });
}

void CScatterChart::DrawTicksAndAxes(Canvas& dc, double hx, double hy, int nCharWidth) {
  const CanvasRect& rc = m_rcPlot;
  ForEachStep(0, m_dRingStep, hx, [&](double gx) {
    const int dx = TruncateToPixel(gx * m_dPixelsPerMetre);
    dc.DrawLine(m_cx + dx, rc.bottom, m_cx + dx, rc.bottom - nCharWidth);
    dc.DrawLine(m_cx - dx, rc.bottom, m_cx - dx, rc.bottom - nCharWidth);
  });
  ForEachStep(0, m_dRingStep, hy, [&](double gy) {
    const int dy = TruncateToPixel(gy * m_dPixelsPerMetre);
    dc.DrawLine(rc.left, m_cy + dy, rc.left + nCharWidth, m_cy + dy);
    dc.DrawLine(rc.left, m_cy - dy, rc.left + nCharWidth, m_cy - dy);
  });
  dc.DrawLine(rc.left, m_cy, rc.right, m_cy);
  dc.DrawLine(m_cx, rc.top, m_cx, rc.bottom);
}

void CScatterChart::DrawAxisLabels(Canvas& dc, const CanvasRect& rcMargin, double hx, double hy) {
  const CanvasRect& rc = m_rcPlot;
  // Labels along the horizontal axis stand upright, reading upward along their ticks.
  SelectBoldFont(dc, m_font, kLabelFont, kUpward);
  dc.SetTextAlign({HAlign::kLeft, VAlign::kBottom});
  dc.SetTextColour(m_crAxisText);
  TextMetrics metrics = dc.GetTextMetrics();
  const int xb = m_cx + metrics.height / 2;
  ForEachStep(m_dRingStep, m_dRingStep, hx, [&](double gx) {
    const int dx = TruncateToPixel(gx * m_dPixelsPerMetre);
    const int y = rc.bottom - 2 * metrics.averageCharWidth;
    dc.DrawText(xb + dx, y, FormatC("%.0lf", gx));
    if (xb - dx >= rcMargin.left) {
      dc.DrawText(xb - dx, y, FormatC("%.0lf", -gx));
    }
  });

  SelectBoldFont(dc, m_font, kLabelFont);
  metrics = dc.GetTextMetrics();
  const int yb = m_cy + metrics.height / 2;
  ForEachStep(m_dRingStep, m_dRingStep, hy, [&](double gy) {
    const int dy = TruncateToPixel(gy * m_dPixelsPerMetre);
    const int x = rc.left + 2 * metrics.averageCharWidth;
    dc.DrawText(x, yb - dy, FormatC("%.0lf", gy));
    dc.DrawText(x, yb + dy, FormatC("%.0lf", -gy));
  });
}

void CScatterChart::DrawPositions(Canvas& dc) {
  if (m_points.IsEmpty()) {
    return;
  }
  dc.SelectPen(m_penPoint);
  dc.SelectBrush(m_brPoint);
  std::optional<CanvasRect> rcNewest;
  for (int i = m_points.GetSize() - 1; i >= 0; --i) {
    const int px = PixelX(m_points[i].x);
    const int py = PixelY(m_points[i].y);
    if (m_rcPlot.Contains(px, py)) {
      const CanvasRect rcDot{px - kDotRadius, py - kDotRadius, px + kDotRadius, py + kDotRadius};
      dc.Ellipse(rcDot);
      rcNewest = rcDot;
    }
  }
  if (rcNewest) {
    dc.SelectPen(m_penLatest);
    dc.SelectBrush(m_brLatest);
    dc.Ellipse(rcNewest->Inflated(2, 2));
  }
}
