#include "charts/scatter_chart.h"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/recording_canvas.h"

namespace {

constexpr double kRadiansPerDegree = 0.017453292519943;
constexpr double kArcSecond = 4.848e-6;

int CountCrossesAt(const RecordingCanvas& dc, int x, int y) {
  int n = 0;
  for (const CanvasOp& op : dc.OpsOfKind(CanvasOpKind::kLine)) {
    if (op.rect == CanvasRect{x, y - 5, x, y + 5}) {
      ++n;
    }
  }
  return n;
}

}  // namespace

TEST(ScatterChart, FirstPositionIsTheCentreWithTheNewestMarkOverIt) {
  CScatterChart chart;
  chart.AddPosition(0.0, 0.0);  // no fix: ignored
  EXPECT_TRUE(chart.m_points.IsEmpty());
  chart.AddPosition(0.2, 0.8);
  EXPECT_EQ(chart.m_dRefLon, 0.2);
  EXPECT_EQ(chart.m_dRefLat, 0.8);

  RecordingCanvas dc;
  chart.Draw(dc, {0, 0, 400, 400});
  const std::vector<CanvasOp> ellipses = dc.OpsOfKind(CanvasOpKind::kEllipse);
  // Three rings, 5 pixels per metre, drawn outermost first with the surface's own pen.
  ASSERT_EQ(ellipses.size(), 5u);
  EXPECT_EQ(ellipses[0].rect, (CanvasRect{50, 50, 350, 350}));
  EXPECT_EQ(ellipses[0].state.brush, chart.m_brOuter);
  EXPECT_EQ(ellipses[1].rect, (CanvasRect{100, 100, 300, 300}));
  EXPECT_EQ(ellipses[1].state.brush, chart.m_brMiddle);
  EXPECT_EQ(ellipses[2].rect, (CanvasRect{150, 150, 250, 250}));
  EXPECT_EQ(ellipses[2].state.brush, chart.m_brInner);
  EXPECT_EQ(ellipses[0].state.pen, CanvasState{}.pen);
  EXPECT_EQ(ellipses[3].rect, (CanvasRect{198, 198, 202, 202}));
  EXPECT_EQ(ellipses[3].state.brush, chart.m_brPoint);
  EXPECT_EQ(ellipses[4].rect, (CanvasRect{196, 196, 204, 204}));
  EXPECT_EQ(ellipses[4].state.brush, chart.m_brLatest);
}

TEST(ScatterChart, HoldsTheNewestThousandAndCentresOnTheirMean) {
  CScatterChart chart;
  for (int i = 1; i <= 1001; ++i) {
    chart.AddPosition(0.001 * i, 0.5);
  }
  EXPECT_EQ(chart.m_points.GetSize(), 1000);
  EXPECT_EQ(chart.m_points.Oldest().x, 0.002);
  EXPECT_NEAR(chart.m_dRefLon, 0.001 * (2 + 1001) / 2, 1e-12);
}

// A position that is no place on Earth never enters the window: the centre after the
// window has moved on is the same as without it.
TEST(ScatterChart, WildPositionsLeaveNoTraceInTheCentre) {
  const double dWild[][2] = {{0.1, 1.2e37 * kRadiansPerDegree},
                             {0.1, NAN},
                             {INFINITY, 0.5},
                             {0.1, 90.01 * kRadiansPerDegree},
                             {180.01 * kRadiansPerDegree, 0.5}};
  for (const auto& wild : dWild) {
    CScatterChart plain;
    CScatterChart poisoned;
    poisoned.AddPosition(wild[0], wild[1]);
    EXPECT_TRUE(poisoned.m_points.IsEmpty());
    for (int i = 1; i <= 1200; ++i) {
      plain.AddPosition(0.1 + 1e-7 * i, 0.5 + 1e-7 * (i % 7));
      poisoned.AddPosition(0.1 + 1e-7 * i, 0.5 + 1e-7 * (i % 7));
    }
    EXPECT_EQ(poisoned.m_dRefLon, plain.m_dRefLon) << wild[0] << " " << wild[1];
    EXPECT_EQ(poisoned.m_dRefLat, plain.m_dRefLat) << wild[0] << " " << wild[1];
  }
}

TEST(ScatterChart, MetresPerArcSecondAtSixtyDegrees) {
  CScatterChart chart;
  chart.AddPosition(0.1, 60 * kRadiansPerDegree);
  EXPECT_NEAR(chart.m_dMetresPerRadLon * kArcSecond, 15.50, 0.005);
  EXPECT_NEAR(chart.m_dMetresPerRadLat * kArcSecond, 30.95, 0.005);
}

TEST(ScatterChart, FixesOutsideThePlotAreNotDrawnNorMarked) {
  CScatterChart chart;
  chart.AddPosition(0.1, 0.5);
  chart.AddPosition(0.1 + 100 / chart.m_dMetresPerRadLon, 0.5);  // 50 m east of the mean
  RecordingCanvas dc;
  chart.Draw(dc, {0, 0, 400, 400});
  const std::vector<CanvasOp> ellipses = dc.OpsOfKind(CanvasOpKind::kEllipse);
  // Rings and the older fix, 50 m west of the mean, are also outside: only the rings.
  EXPECT_EQ(ellipses.size(), 3u);
}

TEST(ScatterChart, WidePlotScalesByItsHeightAndKeepsTheLatticeAcrossItsWidth) {
  CScatterChart chart;
  RecordingCanvas dc;
  chart.Draw(dc, {0, 0, 800, 400});
  EXPECT_EQ(chart.m_dPixelsPerMetre, 5);
  // 70 m east and west of the centre (400, 200), 10 m above it.
  EXPECT_EQ(CountCrossesAt(dc, 750, 150), 1);
  EXPECT_EQ(CountCrossesAt(dc, 50, 150), 1);
  EXPECT_FALSE(dc.TextsEqualTo("70").empty());
  EXPECT_FALSE(dc.TextsEqualTo("-70").empty());
  // Labels of the horizontal axis run upward; those of the vertical axis do not.
  EXPECT_EQ(dc.TextsEqualTo("70").at(0).state.font.escapement, 900);
  EXPECT_EQ(dc.TextsEqualTo("30").back().state.font.escapement, 0);
}

TEST(ScatterChart, HorizontalLabelsLeftOfTheMarginAreSkippedVerticalOnesNot) {
  CScatterChart chart;
  RecordingCanvas dc;
  // 2 pixels per metre: -30 m would stand at x 24, left of the 28-pixel label margin.
  chart.Draw(dc, {0, 0, 160, 160});
  EXPECT_EQ(dc.TextsEqualTo("30").size(), 2u);
  EXPECT_EQ(dc.TextsEqualTo("-30").size(), 1u);
  EXPECT_EQ(dc.TextsEqualTo("-30").at(0).state.font.escapement, 0);
  EXPECT_EQ(dc.TextsEqualTo("-20").size(), 2u);
}

TEST(ScatterChart, RestoresPenBrushAndBackgroundMode) {
  CScatterChart chart;
  chart.AddPosition(0.2, 0.8);
  RecordingCanvas dc;
  const CanvasState before = dc.State();
  chart.Draw(dc, {0, 0, 300, 200});
  EXPECT_EQ(dc.State().pen, before.pen);
  EXPECT_EQ(dc.State().brush, before.brush);
  EXPECT_EQ(dc.State().backgroundMode, before.backgroundMode);
}

TEST(ScatterChart, EmptyRectangleDrawsWithoutFault) {
  CScatterChart chart;
  chart.AddPosition(0.2, 0.8);
  RecordingCanvas dc;
  chart.Draw(dc, {10, 10, 10, 10});
  EXPECT_EQ(dc.OpsOfKind(CanvasOpKind::kEllipse).size(), 3u);
}
