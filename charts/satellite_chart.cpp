#include "charts/satellite_chart.h"

#include <algorithm>
#include <bitset>
#include <cmath>
#include <cstdint>
#include <vector>

#include "charts/chart_drawing.h"
#include "platform/c_format.h"

namespace {

constexpr int kChartFont = 80;
constexpr double kRadiansPerDegree = 0.017453292519943;
constexpr unsigned kPrnGroup = 32;
constexpr unsigned kLastGpsPrn = 32;
constexpr unsigned kLastSbasPrn = 64;

struct SPoint {
  double x;
  double y;
};

// Turns (x, y) about (cx, cy) by the angle clockwise on screen (y grows downward).
SPoint RotateClockwise(double x, double y, int cx, int cy, double dDegrees) {
  const double a = dDegrees * kRadiansPerDegree;
  const double dx = x - cx;
  const double dy = y - cy;
  return {cx + dx * std::cos(a) - dy * std::sin(a), cy + dx * std::sin(a) + dy * std::cos(a)};
}

void DrawTextAt(Canvas& dc, const SPoint& point, const std::string& strText) {
  dc.DrawText(TruncateToPixel(point.x), TruncateToPixel(point.y), strText);
}

// A value the receiver left empty is drawn as 0, as a table holds it.
unsigned Drawn(std::int16_t nValue) { return nValue < 0 ? 0u : static_cast<unsigned>(nValue); }

// A legend entry: a square swatch as high as the text less 4 pixels, a 2-pixel gap, the name.
int SwatchSize(const CanvasSize& nameExtent) { return nameExtent.cy - 4; }
int LegendEntryWidth(const CanvasSize& nameExtent) { return SwatchSize(nameExtent) + 2 + nameExtent.cx; }

std::int16_t ToValue(std::uint32_t nValue) {
  return static_cast<std::int16_t>(std::min<std::uint32_t>(nValue, 32767));
}

}  // namespace

unsigned CSatelliteChart::GroupNumber(unsigned nPrn) { return (nPrn - 1) % kPrnGroup + 1; }

SSkySatellite CSatelliteChart::FromTable(const SSatInfo& sat) {
  const ESatSystem system = sat.m_nPrn <= kLastGpsPrn    ? ESatSystem::kGps
                            : sat.m_nPrn <= kLastSbasPrn ? ESatSystem::kSbas
                                                         : ESatSystem::kGlonass;
  return {system, static_cast<std::uint16_t>(GroupNumber(sat.m_nPrn)), ToValue(sat.m_nElevation),
          ToValue(sat.m_nAzimuth), ToValue(sat.m_nSnr), sat.m_bUsed};
}

CanvasColour CSatelliteChart::UsedColour(ESatSystem system) const {
  switch (system) {
    case ESatSystem::kGps: return m_crUsedGps;
    case ESatSystem::kSbas: return m_crUsedSbas;
    case ESatSystem::kGalileo: return m_crUsedGalileo;
    case ESatSystem::kBeiDou: return m_crUsedBeiDou;
    case ESatSystem::kQzss: return m_crUsedQzss;
    case ESatSystem::kGlonass: return m_crUsedGlonass;
    case ESatSystem::kNavIc: return m_crUsedNavIc;
  }
  return m_crUsedGps;
}

CanvasBrush CSatelliteChart::FillFor(const SSkySatellite& sat) const {
  return sat.m_bUsed ? CanvasBrush{UsedColour(sat.m_system)} : m_brNotUsed;
}

std::vector<SSkySatellite> CSatelliteChart::Satellites() const {
  if (m_pSky != nullptr) {
    return *m_pSky;
  }
  std::vector<SSkySatellite> sats;
  if (m_pSatellites != nullptr) {
    for (const SSatInfo& sat : *m_pSatellites) {
      if (sat.m_nPrn != 0) {
        sats.push_back(FromTable(sat));
      }
    }
  }
  return sats;
}

std::vector<ESatSystem> CSatelliteChart::LegendSystems() const {
  std::bitset<kSatSystemCount> present;
  if (m_pSky != nullptr) {
    for (const SSkySatellite& sat : *m_pSky) {
      present.set(static_cast<std::size_t>(sat.m_system));
    }
  }
  std::vector<ESatSystem> systems;
  if (present.count() > 1 || (present.any() && !present.test(0))) {
    for (std::size_t i = 0; i < kSatSystemCount; ++i) {
      if (present.test(i)) {
        systems.push_back(static_cast<ESatSystem>(i));
      }
    }
  }
  return systems;
}

void CSatelliteChart::DrawBarLegend(Canvas& dc, const CanvasRect& rcChart, int nPlotLeft,
                                    const std::string& strTitle) {
  // In the title row: beside the title on its left, then on its right; an entry for which
  // neither side has room is left out.
  constexpr int kGap = 6;
  const int nTitleWidth = dc.TextExtent(strTitle).cx;
  const int nMiddle = (rcChart.left + rcChart.right) / 2;
  const int ranges[2][2] = {{nPlotLeft + kGap, nMiddle - nTitleWidth / 2 - kGap},
                            {nMiddle + nTitleWidth / 2 + kGap, rcChart.right}};
  const TextAlign savedAlign = dc.SetTextAlign({HAlign::kLeft, VAlign::kTop});
  std::size_t nRange = 0;
  int x = ranges[0][0];
  for (const ESatSystem system : LegendSystems()) {
    const int nWidth = LegendEntryWidth(dc.TextExtent(SatSystemName(system)));
    if (x + nWidth > ranges[nRange][1] && nRange == 0) {
      nRange = 1;
      x = ranges[1][0];
    }
    if (x + nWidth > ranges[nRange][1]) {
      continue;
    }
    x += DrawLegendEntry(dc, x, rcChart.top, system) + kGap;
  }
  dc.SetTextAlign(savedAlign);
}

int CSatelliteChart::DrawLegendEntry(Canvas& dc, int x, int y, ESatSystem system) {
  const CanvasSize extent = dc.TextExtent(SatSystemName(system));
  const int nSwatch = SwatchSize(extent);
  dc.FillRect({x, y + 2, x + nSwatch, y + 2 + nSwatch}, UsedColour(system));
  dc.FrameRect({x, y + 2, x + nSwatch, y + 2 + nSwatch}, m_brFrame.colour);
  dc.DrawText(x + nSwatch + 2, y, SatSystemName(system));
  return LegendEntryWidth(extent);
}

void CSatelliteChart::DrawSkyPlot(Canvas& dc, const CanvasRect& rect) {
  FillSolid(dc, rect, m_crBackground);
  const CanvasRect r = rect.Inflated(-2, -2);
  SelectBoldFont(dc, m_font, kChartFont);
  const TextMetrics metrics = dc.GetTextMetrics();
  const int H = metrics.height;
  const int Wc = metrics.averageCharWidth;

  const int cx = (r.left + r.right) / 2;
  const int cy = (r.top + r.bottom) / 2;
  const int half = std::min(r.Width(), r.Height()) / 2;
  const CanvasRect rcSquare{cx - half, cy - half, cx + half, cy + half};
  FillSolid(dc, rcSquare, m_crBackground);
  // A border one text line wide around the horizon holds the compass letters.
  const int R = half - H;

  // Texts here are placed by their top-left corner.
  const TextAlign savedAlign = dc.SetTextAlign({HAlign::kLeft, VAlign::kTop});
  const CanvasColour savedColour = dc.SetTextColour(m_crCompassText);
  dc.DrawText(cx - Wc / 2, cy - R - H, "N");
  dc.DrawText(cx - Wc / 2, cy + R, "S");
  dc.DrawText(cx + R + 2, cy - H / 2, "E");
  dc.DrawText(cx - R - H, cy - H / 2, "W");

  const CanvasPen savedPen = dc.SelectPen(m_penGrid);
  const CanvasBrush savedBrush = dc.SelectBrush(m_brHollow);
  DrawSkyScales(dc, cx, cy, R, rcSquare);

  const BackgroundMode savedMode = dc.SetBackgroundMode(BackgroundMode::kTransparent);
  if (HasSatellites()) {
    DrawSkySatellites(dc, cx, cy, R);
  }
  // The legend stands in the top-left corner, one system a line.
  dc.SetTextColour(m_crLabel);
  int y = r.top;
  for (const ESatSystem system : LegendSystems()) {
    DrawLegendEntry(dc, r.left, y, system);
    y += H;
  }

  dc.SelectBrush(savedBrush);
  dc.SelectPen(savedPen);
  dc.SetBackgroundMode(savedMode);
  dc.SetTextColour(savedColour);
  dc.SetTextAlign(savedAlign);
}

void CSatelliteChart::DrawSkyScales(Canvas& dc, int cx, int cy, int R,
                                    const CanvasRect& rcSquare) {
  // Elevation rings at 0, 30 and 60 degrees, each labelled just above its top, the label
  // turned with the ring.
  constexpr int kRingLabelEscapement = 3370;
  constexpr double kRingLabelTurn = 22.5;
  SelectBoldFont(dc, m_font, kChartFont, kRingLabelEscapement);
  CanvasSize extent = dc.TextExtent("90\xB0");
  dc.SetTextColour(m_crScaleText);
  const int q = R / 3;
  const int rings[3][2] = {{3 * q, 0}, {2 * q, 30}, {q, 60}};
  for (const auto& ring : rings) {
    const int rho = ring[0];
    dc.Ellipse({cx - rho, cy - rho, cx + rho, cy + rho});
    const SPoint anchor = RotateClockwise(cx - extent.cx / 2, cy - rho - extent.cy, cx, cy,
                                          kRingLabelTurn);
    DrawTextAt(dc, anchor, FormatC("%2d\xB0", ring[1]));
  }

  // Spokes every 45 degrees; the diagonal ones carry their azimuth in the border, running
  // along the circle and readable without turning the page.
  dc.SetTextColour(m_crCompassText);
  for (int k = 0; k < 8; ++k) {
    const int a = 45 * k;
    const double dRad = a * kRadiansPerDegree;
    const int x = static_cast<int>(std::lround(cx + (R - 2) * std::sin(dRad)));
    const int y = static_cast<int>(std::lround(cy - (R - 2) * std::cos(dRad)));
    dc.DrawLine(cx, cy, x, y);
    if (k % 2 == 0) {
      continue;
    }
    const std::string strLabel = FormatC("%3d\xB0", a);
    extent = dc.TextExtent(strLabel);
    const int tw = extent.cx;
    const int th = extent.cy;
    const bool bUpper = (a == 45 || a == 315);
    const double ax = bUpper ? cx - tw / 2 : cx + tw / 2;
    const double ay = bUpper ? rcSquare.top + th / 2 : rcSquare.top + th / 2 + th;
    const int nEscapement = (a == 45 || a == 225) ? 3150 : 450;
    SelectBoldFont(dc, m_font, kChartFont, nEscapement);
    DrawTextAt(dc, RotateClockwise(ax, ay, cx, cy, a), strLabel);
  }
}

void CSatelliteChart::DrawSkySatellites(Canvas& dc, int cx, int cy, int R) {
  SelectBoldFont(dc, m_font, kChartFont);
  const int m = dc.TextExtent("88").cx;
  dc.SelectPen(m_penOutline);
  for (const SSkySatellite& sat : Satellites()) {
    const unsigned nElevation = Drawn(sat.m_nElevation);
    const unsigned nAzimuth = Drawn(sat.m_nAzimuth);
    // Satellites listed without a position.
    if (nElevation == 0 && nAzimuth == 0) {
      continue;
    }
    const double rho = (90.0 - nElevation) * R / 90.0;
    const double az = nAzimuth * kRadiansPerDegree;
    const int x = TruncateToPixel(cx + rho * std::sin(az));
    const int y = TruncateToPixel(cy - rho * std::cos(az));
    dc.SelectBrush(FillFor(sat));
    dc.Ellipse({x - m, y - m, x + m, y + m});

    const std::string strLabel = FormatC("%u", static_cast<unsigned>(sat.m_nSvid));
    const CanvasSize extent = dc.TextExtent(strLabel);
    const CanvasColour previous = dc.SetTextColour(m_crPrnText);
    dc.DrawText(x - extent.cx / 2, y - extent.cy / 2, strLabel);
    dc.SetTextColour(previous);
  }
}

// What tells the two bar charts apart.
struct CSatelliteChart::SBarChartKind {
  const char* pszTitle;
  const char* pszHeader;
  std::int16_t SSkySatellite::*pValue;
  std::int64_t nScaleTop;
  // Text rows the scale leaves free besides the plot: 3 for signal, 2 for elevation.
  int nReservedRows;
  std::vector<std::int64_t> gridValues;
  const char* pszGridFormat;
  const char* pszValueFormat;
};

void CSatelliteChart::DrawSnrChart(Canvas& dc, const CanvasRect& rect) {
  std::int64_t nGreatest = 0;
  for (const SSkySatellite& sat : Satellites()) {
    nGreatest = std::max<std::int64_t>(nGreatest, Drawn(sat.m_nSnr));
  }
  // The scale top follows the strongest signal: 0..9 gives 10, 45 gives 50, 50 gives 60.
  const std::int64_t nTop = (nGreatest / 10 + 1) * 10;
  std::vector<std::int64_t> grid;
  for (std::int64_t v = 10; v <= nTop; v += 10) {
    grid.push_back(v);
  }
  DrawBarChart(dc, rect,
               {"Signal to Noise Ratio", "SNR", &SSkySatellite::m_nSnr, nTop, 3, grid, "%2d", "%02d"});
}

void CSatelliteChart::DrawElevationChart(Canvas& dc, const CanvasRect& rect) {
  DrawBarChart(dc, rect,
               {"Satelitte Elevation", "ELV", &SSkySatellite::m_nElevation, 90, 2, {30, 60, 90},
                "%2d\xB0", "%02d\xB0"});
}

void CSatelliteChart::DrawBarChart(Canvas& dc, const CanvasRect& rect, const SBarChartKind& kind) {
  FillSolid(dc, rect, m_crBackground);
  const CanvasRect rc = rect.Inflated(-2, -2);
  const int L = rc.left;
  const int T = rc.top;
  const int R = rc.right;
  const int B = rc.bottom;
  SelectBoldFont(dc, m_font, kChartFont);
  // The label column is as wide as the smallest bar; a text row is one cell high.
  const CanvasSize cell = dc.TextExtent(" 00  ");
  const int Wc = cell.cx + 2;
  const int Hc = cell.cy + 2;
  FillSolid(dc, {L, T, L + Wc, B}, m_crPanel);

  const std::vector<SSkySatellite> sats = Satellites();
  const int n = static_cast<int>(sats.size());
  // Up to five satellites take a fifth of the plot each, more an equal share, none less than
  // the label column while they fit; more than fit share the plot in narrower bars.
  const int nBars = std::max(n, 5);
  const int P = R - L - Wc;
  const int fit = P / Wc;
  const int k = std::min(fit, nBars);
  int nBarWidth = (k == 0) ? Wc : std::max(P / k, Wc);
  if (n > fit && P > 0) {
    nBarWidth = std::max(P / n, 1);
  }
  FillSolid(dc, {L, B - Hc, R, B}, m_crPanel);

  const TextAlign savedAlign = dc.SetTextAlign({HAlign::kCentre, VAlign::kTop});
  const CanvasColour savedBack = dc.SetBackgroundColour(m_crPanel);
  const BackgroundMode savedMode = dc.SetBackgroundMode(BackgroundMode::kTransparent);
  dc.SetTextColour(m_crScaleText);
  dc.DrawText((L + R) / 2, rect.top, kind.pszTitle);
  dc.SetTextColour(m_crLabel);
  dc.DrawText(L + Wc / 2, T + 1, kind.pszHeader);
  dc.DrawText(L + Wc / 2, B - Hc + 1, "PRN");
  DrawBarLegend(dc, {L, rect.top, R, B}, L + Wc, kind.pszTitle);

  // Numbers under and above narrowed bars take a smaller font, down to 5 points.
  const int nNumberWidth = dc.TextExtent("00").cx;
  const int nNumberFont =
      nBarWidth >= nNumberWidth + 2 ? kChartFont : std::max(50, kChartFont * (nBarWidth - 2) / std::max(nNumberWidth, 1));
  const int nBase = B - Hc;
  SelectBoldFont(dc, m_font, nNumberFont);
  int x = L + Wc;
  for (const SSkySatellite& sat : sats) {
    dc.FrameRect({x, nBase, x + nBarWidth, B}, m_brFrame.colour);
    dc.DrawText(x + nBarWidth / 2, nBase + 2, FormatC("%02u", static_cast<unsigned>(sat.m_nSvid)));
    x += nBarWidth;
  }

  const std::int64_t nPixelsPerUnit = (B - T - kind.nReservedRows * Hc) / kind.nScaleTop;
  const auto rowOf = [&](std::int64_t v) {
    return nBase - static_cast<int>(std::clamp<std::int64_t>(v * nPixelsPerUnit, -1000000000,
                                                              1000000000));
  };
  SelectBoldFont(dc, m_font, kChartFont);
  dc.SelectPen(m_penGrid);
  for (const std::int64_t v : kind.gridValues) {
    const int y = rowOf(v);
    dc.DrawLine(L + Wc, y, R, y);
    dc.DrawText(L + Wc / 2, y - Hc / 2, FormatC(kind.pszGridFormat, static_cast<int>(v)));
  }

  dc.SetTextColour(m_crScaleText);
  dc.SetTextAlign({HAlign::kCentre, VAlign::kBaseline});
  SelectBoldFont(dc, m_font, nNumberFont);
  x = L + Wc;
  for (const SSkySatellite& sat : sats) {
    const unsigned v = Drawn(sat.*kind.pValue);
    if (v != 0) {
      const int top = rowOf(v);
      const CanvasRect rcBar{x, top, x + nBarWidth, nBase};
      FillSolid(dc, rcBar, FillFor(sat).colour);
      dc.FrameRect(rcBar, m_brFrame.colour);
      dc.DrawText(x + nBarWidth / 2, top - 2, FormatC(kind.pszValueFormat, static_cast<int>(v)));
    }
    x += nBarWidth;
  }
  SelectBoldFont(dc, m_font, kChartFont);

  dc.SetTextAlign(savedAlign);
  dc.SetBackgroundMode(savedMode);
  dc.SetBackgroundColour(savedBack);
  dc.SetTextColour(m_crLabel);
}
