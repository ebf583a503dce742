// Drawing the charts into an off-screen image of a monitor page (518 by 420 pixels) with the
// QPainter canvas: a time-series graph of three full traces, the scatter plot of 1000 fixes,
// the sky plot and the two bar charts of 24 satellites.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <random>

#include "charts/gps_graphs.h"
#include "charts/satellite_chart.h"
#include "charts/scatter_chart.h"
#include "platform/qt/painter_canvas.h"

namespace {

constexpr int kPageWidth = 518;
constexpr int kPageHeight = 420;
constexpr CanvasRect kPage{0, 0, kPageWidth, kPageHeight};

template <typename Draw>
void DrawPages(benchmark::State& state, Draw draw) {
  QImage image(kPageWidth, kPageHeight, QImage::Format_RGB32);
  for (auto _ : state) {
    image.fill(QColor(85, 85, 85));
    QPainter painter(&image);
    {
      PainterCanvas canvas(painter);
      draw(canvas);
    }
    painter.end();
    benchmark::DoNotOptimize(image.constBits());
  }
}

// A canvas that paints nothing: what the chart's own arithmetic costs.
class NullCanvas : public Canvas {
 public:
  void FillRect(const CanvasRect&, CanvasColour) override {}
  void FrameRect(const CanvasRect&, CanvasColour) override {}
  void MoveTo(int, int) override {}
  void LineTo(int x, int) override { benchmark::DoNotOptimize(x); }
  void Ellipse(const CanvasRect&) override {}
  void DrawText(int, int, const std::string&) override {}
  CanvasSize TextExtent(const std::string& text) override {
    return {static_cast<int>(text.size()) * 6, 13};
  }
  TextMetrics GetTextMetrics() override { return {13, 6}; }
};

// Three traces of 32768 samples, one a second: nine hours of DOP values wandering through
// the whole value range, so that every pixel column holds many segments.
void FillDopGraph(CTimeSeriesGraph& graph) {
  SetUpDopGraph(graph, 10, 10);
  std::mt19937 random(7);
  std::uniform_real_distribution<double> noise(-0.3, 0.3);
  for (int t = 0; t < CDataTrace::kMaxPoints; ++t) {
    const double base = 5 + 4 * std::sin(t / 900.0);
    AddGraphSamples(graph, t, {base + noise(random), base + 1 + noise(random),
                               base - 1 + noise(random)});
  }
}

void BM_TimeSeriesGraph(benchmark::State& state) {
  CTimeSeriesGraph graph;
  FillDopGraph(graph);
  DrawPages(state, [&](Canvas& dc) { graph.Draw(dc, kPage); });
}
BENCHMARK(BM_TimeSeriesGraph)->Unit(benchmark::kMillisecond);

void BM_TimeSeriesGraphWithoutPainting(benchmark::State& state) {
  CTimeSeriesGraph graph;
  FillDopGraph(graph);
  NullCanvas canvas;
  for (auto _ : state) {
    graph.Draw(canvas, kPage);
  }
}
BENCHMARK(BM_TimeSeriesGraphWithoutPainting)->Unit(benchmark::kMillisecond);

void BM_ScatterChart(benchmark::State& state) {
  CScatterChart chart;
  std::mt19937 random(11);
  std::normal_distribution<double> wander(0, 2e-6);
  for (int i = 0; i < chart.m_nMaxPositions; ++i) {
    chart.AddPosition(0.2 + wander(random), 0.9 + wander(random));
  }
  DrawPages(state, [&](Canvas& dc) { chart.Draw(dc, kPage); });
}
BENCHMARK(BM_ScatterChart)->Unit(benchmark::kMillisecond);

SSatTable FullTable() {
  SSatTable table{};
  for (unsigned i = 0; i < table.size(); ++i) {
    table[i] = {i < 12 ? i + 1 : i + 53, 5 + (i * 37) % 85, (i * 151) % 360, 20 + (i * 7) % 30,
                i % 3 != 0};
  }
  return table;
}

void BM_SkyPlot(benchmark::State& state) {
  const SSatTable table = FullTable();
  CSatelliteChart chart;
  chart.m_pSatellites = &table;
  DrawPages(state, [&](Canvas& dc) { chart.DrawSkyPlot(dc, kPage); });
}
BENCHMARK(BM_SkyPlot)->Unit(benchmark::kMillisecond);

void BM_SatelliteBars(benchmark::State& state) {
  const SSatTable table = FullTable();
  CSatelliteChart chart;
  chart.m_pSatellites = &table;
  const CanvasRect top{0, 0, kPageWidth, kPageHeight / 2};
  const CanvasRect bottom{0, kPageHeight / 2, kPageWidth, kPageHeight};
  DrawPages(state, [&](Canvas& dc) {
    chart.DrawSnrChart(dc, top);
    chart.DrawElevationChart(dc, bottom);
  });
}
BENCHMARK(BM_SatelliteBars)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
