#include "charts/time_series_graph.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <memory>
#include <string>
#include <vector>

#include "platform/recording_canvas.h"
#include "settings/angle_format.h"

namespace {

constexpr CanvasColour kTraceColour = MakeRgb(255, 0, 255);
// The recording canvas's 12-point text is 16 pixels high: the plot is 500 by 200 below it.
constexpr CanvasRect kRect{0, 0, 500, 216};

CDataTrace& AddTrace(CTimeSeriesGraph& graph, const char* pszName = "HDOP",
                     CanvasColour colour = kTraceColour) {
  graph.AddTrace(std::make_unique<CDataTrace>(pszName, colour));
  return graph.GetTrace(graph.GetSize() - 1);
}

std::vector<CanvasOp> LinesInPen(const RecordingCanvas& dc, const CanvasPen& pen) {
  std::vector<CanvasOp> lines;
  for (const CanvasOp& op : dc.OpsOfKind(CanvasOpKind::kLine)) {
    if (op.state.pen == pen) {
      lines.push_back(op);
    }
  }
  return lines;
}

bool HasText(const RecordingCanvas& dc, const std::string& text) {
  return !dc.TextsEqualTo(text).empty();
}

const CanvasPen kTracePen{PenStyle::kSolid, kTraceColour};

}  // namespace

TEST(DataTrace, RefusesAbsentNumbersAndKeepsTheNewestWithinTheLimit) {
  CDataTrace trace;
  EXPECT_EQ(trace.m_nMaxPoints, 32768);
  EXPECT_FALSE(trace.AddPoint(DBL_MAX, 1));
  EXPECT_FALSE(trace.AddPoint(1, DBL_MAX));
  EXPECT_EQ(trace.GetSize(), 0);

  trace.m_nMaxPoints = 3;
  for (int i = 1; i <= 5; ++i) {
    EXPECT_TRUE(trace.AddPoint(i, i * 10));
  }
  ASSERT_EQ(trace.GetSize(), 3);
  EXPECT_EQ(trace[0].x, 5);  // newest first
  EXPECT_EQ(trace[2].x, 3);  // 1 and 2 dropped
}

TEST(TimeSeriesGraph, SetYRangeMakesEqualMagnitudesSymmetricAndAZeroRangeTen) {
  CTimeSeriesGraph graph;
  graph.SetYRange(5, 5);
  EXPECT_EQ(graph.m_dYMin, -5);
  EXPECT_EQ(graph.m_dYMax, 5);
  EXPECT_EQ(graph.m_dYRange, 10);

  graph.SetYRange(0, 0);
  EXPECT_EQ(graph.m_dYMin, 0);
  EXPECT_EQ(graph.m_dYMax, 0);
  EXPECT_EQ(graph.m_dYRange, 10);
  EXPECT_EQ(graph.m_dYStep, 5);
}

TEST(TimeSeriesGraph, ValueStepFollowsTheRangeHeight) {
  CTimeSeriesGraph graph;
  const std::pair<double, double> cases[] = {{1, 0.1},   {1.5, 1},   {5, 1},     {25, 5},
                                             {50, 10},  {250, 50},  {500, 100}, {501, 500},
                                             {-3, 500}};
  for (const auto& [range, step] : cases) {
    graph.m_dYRange = range;
    graph.UpdateYStep();
    EXPECT_EQ(graph.m_dYStep, step) << "range " << range;
  }
}

TEST(TimeSeriesGraph, ScrollingRangeMovesInQuarterStepsAndNeverBelowZero) {
  CTimeSeriesGraph graph;
  graph.m_nRangeMode = CTimeSeriesGraph::kRangeScrolling;
  graph.SetYRange(0, 10);
  CDataTrace& trace = AddTrace(graph);
  trace.AddPoint(1, 20);
  trace.AddPoint(2, 23.4);
  RecordingCanvas dc;
  graph.Draw(dc, kRect);
  EXPECT_DOUBLE_EQ(graph.m_dShowMin, 17.5);
  EXPECT_DOUBLE_EQ(graph.m_dShowMax, 27.5);
  // Zero is below the shown range: no origin line under the plot.
  EXPECT_TRUE(LinesInPen(dc, graph.m_penAxis).empty());

  trace.AddPoint(3, 3);
  graph.Draw(dc, kRect);
  EXPECT_EQ(graph.m_dShowMin, 0);
  EXPECT_EQ(graph.m_dShowMax, 10);
}

TEST(TimeSeriesGraph, SymmetricRangeSpansTheGreaterBoundBothWays) {
  CTimeSeriesGraph graph;
  graph.SetYRange(0, 10);
  RecordingCanvas dc;
  graph.Draw(dc, kRect);
  EXPECT_EQ(graph.m_dShowMin, -10);
  EXPECT_EQ(graph.m_dShowMax, 10);
  EXPECT_EQ(graph.m_dYStep, 5);
  for (const char* pszLabel : {"-10m", "-5m", "0m", "5m", "10m"}) {
    EXPECT_TRUE(HasText(dc, pszLabel)) << pszLabel;
  }
  // 10 pixels per metre: the label of -5 stands 2 pixels above the row of -5.
  EXPECT_EQ(dc.TextsEqualTo("-5m").at(0).rect.top, 216 - 50 - 2);
  // The origin line crosses the plot from right to left at the row of 0.
  const std::vector<CanvasOp> axis = LinesInPen(dc, graph.m_penAxis);
  ASSERT_EQ(axis.size(), 1u);
  EXPECT_EQ(axis[0].rect, (CanvasRect{500, 116, 0, 116}));
}

TEST(TimeSeriesGraph, TimeGridLabelsTheAgeOfEachLine) {
  CTimeSeriesGraph graph;
  graph.m_dTimeSpan = 600;
  RecordingCanvas dc;
  graph.Draw(dc, kRect);
  for (int minute = 1; minute <= 9; ++minute) {
    EXPECT_TRUE(HasText(dc, std::to_string(minute) + "min")) << minute;
  }
  EXPECT_FALSE(HasText(dc, "10min"));
  const CanvasOp label = dc.TextsEqualTo("1min").at(0);
  EXPECT_EQ(label.rect.left, 500 - 50 - 2);
  EXPECT_EQ(label.rect.top, 216 - 2);
  EXPECT_EQ(label.state.align, (TextAlign{HAlign::kCentre, VAlign::kBottom}));

  graph.m_dTimeSpan = 10800;
  dc.Clear();
  graph.Draw(dc, kRect);
  EXPECT_TRUE(HasText(dc, "30min"));
  EXPECT_TRUE(HasText(dc, "150min"));

  graph.m_dTimeSpan = 10801;
  dc.Clear();
  graph.Draw(dc, kRect);
  EXPECT_TRUE(HasText(dc, "1hr"));
  EXPECT_TRUE(HasText(dc, "3hr"));
  EXPECT_FALSE(HasText(dc, "60min"));
}

TEST(TimeSeriesGraph, ShownSpanWidensInWholeGridStepsToHoldTheFirstTrace) {
  CTimeSeriesGraph graph;
  graph.m_dTimeSpan = 600;
  CDataTrace& trace = AddTrace(graph);
  for (int t = 0; t <= 600; t += 60) {
    trace.AddPoint(t, 1);
  }
  RecordingCanvas dc;
  graph.Draw(dc, kRect);
  EXPECT_EQ(graph.m_dShownSpan, 600);
  EXPECT_EQ(graph.m_dTimeStep, 60);

  for (int t = 660; t <= 1200; t += 60) {
    trace.AddPoint(t, 1);
  }
  graph.Draw(dc, kRect);
  EXPECT_EQ(graph.m_dShownSpan, 1200);
  EXPECT_EQ(graph.m_dTimeStep, 300);

  trace.AddPoint(1201, 1);
  graph.Draw(dc, kRect);
  EXPECT_EQ(graph.m_dShownSpan, 1500);
}

TEST(TimeSeriesGraph, PointsOnTheBottomEdgeOrRightEdgeLeaveGaps) {
  CTimeSeriesGraph graph;
  graph.m_nRangeMode = CTimeSeriesGraph::kRangeFixed;
  graph.SetYRange(0, 10);
  graph.m_dTimeSpan = 600;
  CDataTrace& trace = AddTrace(graph);
  for (int t = 1; t <= 5; ++t) {
    trace.AddPoint(t * 60, 5);
  }
  RecordingCanvas dc;
  graph.Draw(dc, kRect);
  // The newest point is on the right edge: the polyline starts at the second newest.
  ASSERT_EQ(LinesInPen(dc, kTracePen).size(), 3u);
  EXPECT_EQ(LinesInPen(dc, kTracePen)[0].rect, (CanvasRect{450, 116, 400, 116}));

  CTimeSeriesGraph withZero;
  withZero.m_nRangeMode = CTimeSeriesGraph::kRangeFixed;
  withZero.SetYRange(0, 10);
  withZero.m_dTimeSpan = 600;
  CDataTrace& gapped = AddTrace(withZero);
  for (double value : {5.0, 5.0, 0.0, 5.0, 5.0}) {
    gapped.AddPoint((gapped.GetSize() + 1) * 60, value);
  }
  dc.Clear();
  withZero.Draw(dc, kRect);
  ASSERT_EQ(LinesInPen(dc, kTracePen).size(), 1u);
  EXPECT_EQ(LinesInPen(dc, kTracePen)[0].rect, (CanvasRect{350, 116, 300, 116}));
}

TEST(TimeSeriesGraph, SinglePointDrawsNoLineButItsLegend) {
  CTimeSeriesGraph graph;
  graph.m_bLegend = true;
  AddTrace(graph).AddPoint(100, 1.5);
  AddTrace(graph, "PDOP");  // empty: no legend line, but its row is kept
  AddTrace(graph, "VDOP").AddPoint(100, 2.25);
  RecordingCanvas dc;
  graph.Draw(dc, kRect);
  EXPECT_TRUE(LinesInPen(dc, kTracePen).empty());
  const std::vector<CanvasOp> hdop = dc.TextsEqualTo("HDOP  1.50m");
  const std::vector<CanvasOp> vdop = dc.TextsEqualTo("VDOP  2.25m");
  ASSERT_EQ(hdop.size(), 1u);
  ASSERT_EQ(vdop.size(), 1u);
  // Legend lines end left of the width of "0m  " (4 characters of 5 pixels), a row apart.
  EXPECT_EQ(hdop[0].rect.left, 500 - 20);
  EXPECT_EQ(hdop[0].rect.top, 0);
  EXPECT_EQ(vdop[0].rect.top, 2 * 11);
  EXPECT_EQ(hdop[0].colour, kTraceColour);
}

TEST(TimeSeriesGraph, EachTraceStartsAtTheRightEdgeFromItsOwnNewestSample) {
  CTimeSeriesGraph graph;
  graph.m_nRangeMode = CTimeSeriesGraph::kRangeFixed;
  graph.m_dTimeSpan = 600;
  CDataTrace& newer = AddTrace(graph, "A", MakeRgb(1, 1, 1));
  newer.AddPoint(0, 5);
  newer.AddPoint(300, 5);
  CDataTrace& older = AddTrace(graph, "B", MakeRgb(2, 2, 2));
  older.AddPoint(0, 5);
  older.AddPoint(60, 5);
  older.AddPoint(120, 5);
  RecordingCanvas dc;
  graph.Draw(dc, kRect);
  const std::vector<CanvasOp> lines = LinesInPen(dc, {PenStyle::kSolid, MakeRgb(2, 2, 2)});
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].rect.left, 450);
  EXPECT_EQ(lines[0].rect.right, 400);
}

TEST(TimeSeriesGraph, ReferenceLinesOnlyStrictlyInsideTheShownRange) {
  CTimeSeriesGraph graph;
  graph.m_nRangeMode = CTimeSeriesGraph::kRangeFixed;
  graph.m_dRefLine2 = 10;
  graph.SetYRange(0, 10);
  RecordingCanvas dc;
  graph.Draw(dc, kRect);
  EXPECT_TRUE(LinesInPen(dc, graph.m_penReference).empty());

  graph.SetYRange(0, 15);
  graph.Draw(dc, kRect);
  const std::vector<CanvasOp> lines = LinesInPen(dc, graph.m_penReference);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].rect.top, 216 - 133);
  EXPECT_EQ(lines[0].state.pen.style, PenStyle::kDash);
}

TEST(TimeSeriesGraph, TitleComesFromTheQuantityNameThenTheTitle) {
  CTimeSeriesGraph graph;
  RecordingCanvas dc;
  graph.Draw(dc, kRect);
  EXPECT_TRUE(HasText(dc, "Time Series Graph"));
  graph.m_strTitle = "Own";
  dc.Clear();
  graph.Draw(dc, kRect);
  EXPECT_TRUE(HasText(dc, "Own"));
  graph.m_strYName = "Height";
  dc.Clear();
  graph.Draw(dc, kRect);
  const std::vector<CanvasOp> title = dc.TextsEqualTo("Time v Height");
  ASSERT_EQ(title.size(), 1u);
  EXPECT_EQ(title[0].rect.left, 250);
  EXPECT_EQ(title[0].colour, graph.m_crTitle);
  EXPECT_EQ(title[0].state.font.tenthsOfPoint, 120);
  EXPECT_EQ(title[0].state.font.weight, 700);
}

TEST(TimeSeriesGraph, AngleChangesScaledByTheFactorAndLabelledOnTheOriginRow) {
  CTimeSeriesGraph graph;
  graph.m_nValueKind = CTimeSeriesGraph::kValueLatitude;
  graph.m_dLatFactor = 2;
  graph.SetYRange(0, 10);
  graph.m_dTimeSpan = 600;
  CDataTrace& trace = AddTrace(graph);
  trace.AddPoint(0, 1);
  trace.AddPoint(60, 1.5);
  trace.AddPoint(120, 2);
  RecordingCanvas dc;
  graph.Draw(dc, kRect);
  // Changes from the newest value, -0.5 and -1, doubled: 10 and 20 pixels below row 116.
  const std::vector<CanvasOp> lines = LinesInPen(dc, kTracePen);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].rect, (CanvasRect{450, 126, 400, 136}));

  const std::vector<CanvasOp> label = dc.TextsEqualTo(FormatAngle(5, 2, 1, 4));
  ASSERT_EQ(label.size(), 1u);
  EXPECT_EQ(label[0].rect.left, 498);
  EXPECT_EQ(label[0].rect.top, 116 - 3);
  EXPECT_EQ(label[0].state.align, (TextAlign{HAlign::kRight, VAlign::kBaseline}));
}

TEST(TimeSeriesGraph, GraphWithoutTracesDrawsItsFrameworkInEveryMode) {
  for (int mode : {CTimeSeriesGraph::kRangeScrolling, CTimeSeriesGraph::kRangeSymmetric,
                   CTimeSeriesGraph::kRangeFixed}) {
    CTimeSeriesGraph graph;
    graph.m_nRangeMode = mode;
    graph.m_bLegend = true;
    graph.m_dTimeSpan = 600;
    AddTrace(graph).AddPoint(1, 1);
    graph.DeleteAllTraces();
    EXPECT_EQ(graph.GetSize(), 0);
    RecordingCanvas dc;
    graph.Draw(dc, kRect);
    EXPECT_TRUE(HasText(dc, "Time Series Graph")) << mode;
    EXPECT_TRUE(HasText(dc, "5min")) << mode;
  }
}

TEST(TimeSeriesGraph, WildValuesEndTheDrawInsteadOfHangingIt) {
  CTimeSeriesGraph graph;
  graph.m_nRangeMode = CTimeSeriesGraph::kRangeScrolling;
  graph.SetYRange(0, 10);
  CDataTrace& trace = AddTrace(graph);
  trace.AddPoint(1, 1e300);
  trace.AddPoint(2, 1e300);
  trace.AddPoint(3, -1e300);
  trace.AddPoint(4, 1e300);
  RecordingCanvas dc;
  graph.Draw(dc, kRect);
  // A step no longer changes a value this large: one grid line, then the loop ends.
  EXPECT_LE(dc.OpsOfKind(CanvasOpKind::kLine).size(), 20u);
}

TEST(TimeSeriesGraph, DrawLeavesTheSurfaceStateAsFound) {
  CTimeSeriesGraph graph;
  graph.m_bLegend = true;
  AddTrace(graph).AddPoint(1, 1);
  RecordingCanvas dc;
  const CanvasState before = dc.State();
  graph.Draw(dc, kRect);
  EXPECT_EQ(dc.State().align, before.align);
  EXPECT_EQ(dc.State().textColour, before.textColour);
  EXPECT_EQ(dc.State().font, before.font);
  EXPECT_EQ(dc.State().pen, before.pen);
  // The fill leaves its colour as the background of opaque labels.
  EXPECT_EQ(dc.State().backgroundColour, graph.m_crBack);
}
