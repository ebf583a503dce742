#include "charts/satellite_chart.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/recording_canvas.h"

namespace {

SSatTable Table(std::initializer_list<SSatInfo> sats) {
  SSatTable table{};
  std::size_t i = 0;
  for (const SSatInfo& sat : sats) {
    table[i++] = sat;
  }
  return table;
}

// A 400 by 300 sky plot: centre (200, 150), horizon radius 148 - 11 = 137.
constexpr CanvasRect kSky{0, 0, 400, 300};
// A 400 by 200 bar chart: label column 27 wide, text rows 13 high, plot 369 wide.
constexpr CanvasRect kBars{0, 0, 400, 200};

std::vector<CanvasOp> Discs(const RecordingCanvas& dc) {
  std::vector<CanvasOp> discs;
  for (const CanvasOp& op : dc.OpsOfKind(CanvasOpKind::kEllipse)) {
    if (!op.state.brush.hollow) {
      discs.push_back(op);
    }
  }
  return discs;
}

std::vector<CanvasOp> Bars(const RecordingCanvas& dc, CanvasColour background) {
  std::vector<CanvasOp> bars;
  for (const CanvasOp& op : dc.OpsOfKind(CanvasOpKind::kFillRect)) {
    if (!(op.colour == background) && !(op.colour == MakeRgb(128, 128, 128))) {
      bars.push_back(op);
    }
  }
  return bars;
}

}  // namespace

TEST(SkyPlot, EmptyPlotHasCompassRingsSpokesAndAzimuthLabels) {
  CSatelliteChart chart;
  const SSatTable empty{};
  for (const SSatTable* pTable : {static_cast<const SSatTable*>(nullptr), &empty}) {
    chart.m_pSatellites = pTable;
    RecordingCanvas dc;
    chart.DrawSkyPlot(dc, kSky);
    EXPECT_EQ(dc.Ops().front().rect, kSky);
    EXPECT_EQ(dc.TextsEqualTo("N").at(0).rect, (CanvasRect{198, 2, 198, 2}));
    EXPECT_EQ(dc.TextsEqualTo("S").at(0).rect, (CanvasRect{198, 287, 198, 287}));
    EXPECT_EQ(dc.TextsEqualTo("E").at(0).rect, (CanvasRect{339, 145, 339, 145}));
    EXPECT_EQ(dc.TextsEqualTo("W").at(0).rect, (CanvasRect{52, 145, 52, 145}));
    const std::vector<CanvasOp> ellipses = dc.OpsOfKind(CanvasOpKind::kEllipse);
    ASSERT_EQ(ellipses.size(), 3u);
    EXPECT_EQ(ellipses[0].rect, (CanvasRect{65, 15, 335, 285}));
    EXPECT_EQ(ellipses[2].rect, (CanvasRect{155, 105, 245, 195}));
    EXPECT_TRUE(ellipses[0].state.brush.hollow);
    for (const char* pszLabel : {" 0\xB0", "30\xB0", "60\xB0", " 45\xB0", "135\xB0", "225\xB0",
                                 "315\xB0"}) {
      EXPECT_EQ(dc.TextsEqualTo(pszLabel).size(), 1u) << pszLabel;
    }
    EXPECT_EQ(dc.TextsEqualTo("30\xB0").at(0).state.font.escapement, 3370);
    EXPECT_EQ(dc.TextsEqualTo(" 45\xB0").at(0).state.font.escapement, 3150);
    EXPECT_EQ(dc.TextsEqualTo("135\xB0").at(0).state.font.escapement, 450);
    const std::vector<CanvasOp> spokes = dc.OpsOfKind(CanvasOpKind::kLine);
    ASSERT_EQ(spokes.size(), 8u);
    EXPECT_EQ(spokes[0].rect, (CanvasRect{200, 150, 200, 15}));
    EXPECT_EQ(spokes[1].rect, (CanvasRect{200, 150, 295, 55}));
    EXPECT_EQ(spokes[2].rect, (CanvasRect{200, 150, 335, 150}));
  }
}

TEST(SkyPlot, DiscPositionsFollowElevationAndAzimuth) {
  CSatelliteChart chart;
  const SSatTable table = Table({{1, 0, 0, 40, true},     // no position: skipped
                                 {2, 0, 90, 40, true},    // horizon, due east
                                 {3, 90, 200, 40, true},  // zenith
                                 {0, 45, 45, 40, true},   // empty slot
                                 {4, 45, 180, 40, true}});
  chart.m_pSatellites = &table;
  RecordingCanvas dc;
  chart.DrawSkyPlot(dc, kSky);
  const std::vector<CanvasOp> discs = Discs(dc);
  ASSERT_EQ(discs.size(), 3u);
  // Disc radius: the width of "88". Due east the truncated y lands a hair above the centre.
  EXPECT_EQ(discs[0].rect, (CanvasRect{337 - 10, 149 - 10, 337 + 10, 149 + 10}));
  EXPECT_EQ(discs[1].rect, (CanvasRect{190, 140, 210, 160}));
  EXPECT_EQ(discs[2].rect, (CanvasRect{190, 208, 210, 228}));
  EXPECT_EQ(discs[0].state.pen, chart.m_penOutline);
  // Numbers centred on the discs in yellow.
  const CanvasOp label = dc.TextsEqualTo("3").at(0);
  EXPECT_EQ(label.rect, (CanvasRect{198, 145, 198, 145}));
  EXPECT_EQ(label.colour, chart.m_crPrnText);
}

TEST(SkyPlot, NumbersWithinGroupsAndColoursByRangeAndUse) {
  CSatelliteChart chart;
  const SSatTable table = Table({{7, 10, 10, 0, true},
                                 {32, 20, 20, 0, false},
                                 {33, 30, 30, 0, true},
                                 {40, 40, 40, 0, true},
                                 {40, 50, 50, 0, false},
                                 {64, 60, 60, 0, false},
                                 {65, 70, 70, 0, true},
                                 {96, 80, 80, 0, false}});
  chart.m_pSatellites = &table;
  RecordingCanvas dc;
  chart.DrawSkyPlot(dc, kSky);
  std::vector<std::string> labels;
  for (const CanvasOp& op : dc.OpsOfKind(CanvasOpKind::kText)) {
    if (op.colour == chart.m_crPrnText) {
      labels.push_back(op.text);
    }
  }
  EXPECT_EQ(labels, (std::vector<std::string>{"7", "32", "1", "8", "8", "32", "1", "32"}));
  const std::vector<CanvasOp> discs = Discs(dc);
  ASSERT_EQ(discs.size(), 8u);
  EXPECT_EQ(discs[0].state.brush.colour, MakeRgb(0, 128, 0));
  EXPECT_EQ(discs[1].state.brush.colour, MakeRgb(128, 0, 0));
  EXPECT_EQ(discs[2].state.brush.colour, MakeRgb(255, 128, 0));
  EXPECT_EQ(discs[3].state.brush.colour, MakeRgb(255, 128, 0));
  EXPECT_EQ(discs[4].state.brush.colour, MakeRgb(128, 0, 0));
  EXPECT_EQ(discs[6].state.brush.colour, MakeRgb(128, 0, 128));
}

TEST(SkyPlot, WideRectangleCentresASquarePlotAndRestoresTheSurface) {
  CSatelliteChart chart;
  RecordingCanvas dc;
  const CanvasState before = dc.State();
  chart.DrawSkyPlot(dc, {0, 0, 600, 200});
  const std::vector<CanvasOp> fills = dc.OpsOfKind(CanvasOpKind::kFillRect);
  ASSERT_EQ(fills.size(), 2u);
  EXPECT_EQ(fills[1].rect, (CanvasRect{202, 2, 398, 198}));
  EXPECT_EQ(dc.State().pen, before.pen);
  EXPECT_EQ(dc.State().brush, before.brush);
  EXPECT_EQ(dc.State().textColour, before.textColour);
  EXPECT_EQ(dc.State().backgroundMode, before.backgroundMode);
  EXPECT_EQ(dc.State().font, chart.m_font);
}

TEST(SatelliteBars, EmptyChartsHaveTheirPanelsTitlesAndScales) {
  CSatelliteChart chart;
  RecordingCanvas dc;
  chart.DrawSnrChart(dc, kBars);
  EXPECT_FALSE(dc.TextsEqualTo("Signal to Noise Ratio").empty());
  EXPECT_EQ(dc.TextsEqualTo("SNR").at(0).rect, (CanvasRect{15, 3, 15, 3}));
  EXPECT_EQ(dc.TextsEqualTo("PRN").at(0).rect, (CanvasRect{15, 186, 15, 186}));
  EXPECT_EQ(dc.TextsEqualTo("10").size(), 1u);
  EXPECT_TRUE(dc.TextsEqualTo("20").empty());
  EXPECT_TRUE(dc.OpsOfKind(CanvasOpKind::kFrameRect).empty());

  dc.Clear();
  chart.DrawElevationChart(dc, kBars);
  EXPECT_FALSE(dc.TextsEqualTo("Satelitte Elevation").empty());
  EXPECT_FALSE(dc.TextsEqualTo("ELV").empty());
  const std::vector<CanvasOp> grid = dc.OpsOfKind(CanvasOpKind::kLine);
  ASSERT_EQ(grid.size(), 3u);
  // One pixel per degree above the PRN row at 185.
  EXPECT_EQ(grid[2].rect, (CanvasRect{29, 95, 398, 95}));
  EXPECT_EQ(dc.TextsEqualTo("90\xB0").at(0).rect, (CanvasRect{15, 89, 15, 89}));
}

TEST(SatelliteBars, UpToFiveSatellitesTakeAFifthEachMoreAnEqualShareOfWhatFits) {
  CSatelliteChart chart;
  SSatTable table{};
  for (unsigned n = 1; n <= 24; ++n) {
    table[n - 1] = {n, 20, 20, 30, true};
    if (n > 5 && n != 20) {
      continue;
    }
    chart.m_pSatellites = &table;
    RecordingCanvas dc;
    chart.DrawSnrChart(dc, kBars);
    const std::vector<CanvasOp> cells = dc.OpsOfKind(CanvasOpKind::kFrameRect);
    // Every satellite has a framed PRN cell and a framed bar.
    ASSERT_EQ(cells.size(), 2u * n);
    // Twenty do not fit at the label column's width (13 would): they share the plot.
    const int width = (n <= 5) ? 369 / 5 : 369 / 20;
    EXPECT_EQ(cells[0].rect, (CanvasRect{29, 185, 29 + width, 198})) << n;
    EXPECT_EQ(cells[n - 1].rect.left, 29 + static_cast<int>(n - 1) * width) << n;
  }
}

TEST(SatelliteBars, SignalScaleFollowsTheStrongestAndZeroSignalKeepsItsCell) {
  CSatelliteChart chart;
  const SSatTable table = Table({{3, 20, 20, 7, true}, {4, 20, 20, 0, true},
                                 {65, 20, 20, 23, true}});
  chart.m_pSatellites = &table;
  RecordingCanvas dc;
  chart.DrawSnrChart(dc, kBars);
  for (const char* pszGrid : {"10", "20", "30"}) {
    EXPECT_EQ(dc.TextsEqualTo(pszGrid).size(), 1u) << pszGrid;
  }
  EXPECT_TRUE(dc.TextsEqualTo("40").empty());
  EXPECT_EQ(dc.TextsEqualTo("01").size(), 1u);  // PRN 65 in its cell
  // (196 - 39) / 30 = 5 pixels per dB above the PRN row at 185; five bars' width each.
  const std::vector<CanvasOp> bars = Bars(dc, chart.m_crBackground);
  ASSERT_EQ(bars.size(), 2u);
  EXPECT_EQ(bars[0].rect, (CanvasRect{29, 150, 102, 185}));
  EXPECT_EQ(bars[1].rect, (CanvasRect{29 + 2 * 73, 70, 29 + 3 * 73, 185}));
  EXPECT_EQ(bars[1].colour, chart.m_crUsedGlonass);
  const CanvasOp value = dc.TextsEqualTo("07").at(0);
  EXPECT_EQ(value.rect, (CanvasRect{65, 148, 65, 148}));
  EXPECT_EQ(value.state.align, (TextAlign{HAlign::kCentre, VAlign::kBaseline}));
  EXPECT_FALSE(dc.TextsEqualTo("23").empty());
}

TEST(SatelliteBars, ElevationValuesAndUnusedColour) {
  CSatelliteChart chart;
  const SSatTable table = Table({{32, 5, 20, 30, false}, {7, 0, 20, 30, true}});
  chart.m_pSatellites = &table;
  RecordingCanvas dc;
  chart.DrawElevationChart(dc, kBars);
  EXPECT_EQ(dc.TextsEqualTo("05\xB0").size(), 1u);
  EXPECT_EQ(dc.TextsEqualTo("32").size(), 1u);
  const std::vector<CanvasOp> bars = Bars(dc, chart.m_crBackground);
  ASSERT_EQ(bars.size(), 1u);
  EXPECT_EQ(bars[0].colour, chart.m_crNotUsed);
}

TEST(SatelliteBars, ShortPlotHasFlatBarsWithValuesOnThePrnRow) {
  CSatelliteChart chart;
  const SSatTable table = Table({{3, 20, 20, 25, true}});
  chart.m_pSatellites = &table;
  RecordingCanvas dc;
  chart.DrawSnrChart(dc, {0, 0, 400, 60});
  // 56 - 39 pixels are less than the scale top of 30: no pixels per dB. The PRN row
  // starts at 58 - 13.
  const CanvasOp value = dc.TextsEqualTo("25").at(0);
  EXPECT_EQ(value.rect.top, 45 - 2);
}

TEST(SatelliteBars, RestoreAlignmentAndBackgroundAndLeaveLabelColour) {
  CSatelliteChart chart;
  RecordingCanvas dc;
  dc.SetBackgroundColour(MakeRgb(1, 2, 3));
  const CanvasState before = dc.State();
  chart.DrawElevationChart(dc, kBars);
  EXPECT_EQ(dc.State().align, before.align);
  EXPECT_EQ(dc.State().backgroundMode, before.backgroundMode);
  // As found after the chart's fills: the panel colour.
  EXPECT_EQ(dc.State().backgroundColour, chart.m_crPanel);
  EXPECT_EQ(dc.State().textColour, chart.m_crLabel);
  EXPECT_EQ(dc.State().pen, chart.m_penGrid);
}

// The satellite model's view: every system, numbered within it, coloured by system.
std::vector<SSkySatellite> Sky(std::initializer_list<SSkySatellite> sats) { return sats; }

TEST(SkyPlot, ModelViewColoursUsedSatellitesBySystemAndNamesTheSystems) {
  using enum ESatSystem;
  CSatelliteChart chart;
  const std::vector<SSkySatellite> sky = Sky({{kGps, 7, 10, 10, 30, true},
                                              {kSbas, 133, 20, 20, 30, true},
                                              {kGalileo, 7, 30, 30, 30, true},
                                              {kBeiDou, 7, 40, 40, kSkyAbsent, true},
                                              {kQzss, 2, 50, 50, 30, true},
                                              {kGlonass, 7, 60, 60, 30, true},
                                              {kNavIc, 3, 70, 70, 30, true},
                                              {kGalileo, 9, 80, 80, 30, false}});
  chart.m_pSky = &sky;
  RecordingCanvas dc;
  chart.DrawSkyPlot(dc, kSky);
  const std::vector<CanvasOp> discs = Discs(dc);
  ASSERT_EQ(discs.size(), sky.size());
  const CanvasColour expected[] = {chart.m_crUsedGps,     chart.m_crUsedSbas,  chart.m_crUsedGalileo,
                                   chart.m_crUsedBeiDou,  chart.m_crUsedQzss,  chart.m_crUsedGlonass,
                                   chart.m_crUsedNavIc,   chart.m_crNotUsed};
  for (std::size_t i = 0; i < sky.size(); ++i) {
    EXPECT_EQ(discs[i].state.brush.colour, expected[i]) << i;
  }
  std::vector<std::string> labels;
  for (const CanvasOp& op : dc.OpsOfKind(CanvasOpKind::kText)) {
    if (op.colour == chart.m_crPrnText) {
      labels.push_back(op.text);
    }
  }
  EXPECT_EQ(labels, (std::vector<std::string>{"7", "133", "7", "7", "2", "7", "3", "9"}));
  // The legend: one line per system present, from the top-left corner down.
  const char* names[] = {"GPS", "SBAS", "Galileo", "BeiDou", "QZSS", "GLONASS", "NavIC"};
  for (std::size_t i = 0; i < std::size(names); ++i) {
    ASSERT_EQ(dc.TextsEqualTo(names[i]).size(), 1u) << names[i];
    EXPECT_EQ(dc.TextsEqualTo(names[i]).at(0).rect.top, 2 + 11 * static_cast<int>(i)) << names[i];
  }
  // All seven colours are told apart, and from the unused maroon.
  std::vector<CanvasColour> colours(std::begin(expected), std::end(expected));
  for (std::size_t i = 0; i < colours.size(); ++i) {
    for (std::size_t j = i + 1; j < colours.size(); ++j) {
      EXPECT_FALSE(colours[i] == colours[j]) << i << " " << j;
    }
  }
}

TEST(SkyPlot, AGpsOnlyModelViewDrawsAsTheTableWithoutALegend) {
  CSatelliteChart chart;
  const SSatTable table = Table({{5, 30, 40, 35, true}, {12, 60, 200, 41, false}});
  const std::vector<SSkySatellite> sky = Sky({{ESatSystem::kGps, 5, 30, 40, 35, true},
                                              {ESatSystem::kGps, 12, 60, 200, 41, false}});
  for (const auto& draw : {&CSatelliteChart::DrawSkyPlot, &CSatelliteChart::DrawSnrChart,
                           &CSatelliteChart::DrawElevationChart}) {
    RecordingCanvas fromTable;
    chart.m_pSky = nullptr;
    chart.m_pSatellites = &table;
    (chart.*draw)(fromTable, kSky);
    RecordingCanvas fromModel;
    chart.m_pSky = &sky;
    (chart.*draw)(fromModel, kSky);
    ASSERT_EQ(fromModel.Ops().size(), fromTable.Ops().size());
    for (std::size_t i = 0; i < fromModel.Ops().size(); ++i) {
      const CanvasOp& a = fromModel.Ops()[i];
      const CanvasOp& b = fromTable.Ops()[i];
      EXPECT_TRUE(a.kind == b.kind && a.rect == b.rect && a.colour == b.colour && a.text == b.text &&
                  a.state.brush == b.state.brush && a.state.font == b.state.font &&
                  a.state.textColour == b.state.textColour)
          << i << " " << a.text << " " << b.text;
    }
    EXPECT_TRUE(fromModel.TextsEqualTo("GPS").empty());
  }
}

TEST(SatelliteBars, MoreSatellitesThanFitNarrowToStayInsideWithSmallerNumbers) {
  CSatelliteChart chart;
  std::vector<SSkySatellite> sky;
  for (std::uint16_t n = 1; n <= 41; ++n) {
    sky.push_back({n <= 20 ? ESatSystem::kGps : ESatSystem::kGlonass, n, 30, 30, 40, true});
  }
  chart.m_pSky = &sky;
  RecordingCanvas dc;
  chart.DrawSnrChart(dc, kBars);
  const std::vector<CanvasOp> cells = dc.OpsOfKind(CanvasOpKind::kFrameRect);
  // 41 PRN cells and 41 bars (the legend's swatches come first), 369 / 41 = 9 pixels each.
  ASSERT_GE(cells.size(), 82u);
  const CanvasOp& last = cells[cells.size() - 1];
  EXPECT_EQ(last.rect.right - last.rect.left, 9);
  EXPECT_LE(last.rect.right, 398);
  const CanvasOp label = dc.TextsEqualTo("41").at(0);
  EXPECT_LT(label.state.font.tenthsOfPoint, 80);
  EXPECT_GE(label.state.font.tenthsOfPoint, 50);
  // The legend names both systems beside the title.
  EXPECT_EQ(dc.TextsEqualTo("GLONASS").size(), 1u);
  EXPECT_EQ(dc.TextsEqualTo("GPS").size(), 1u);
}
