// Whole charts drawn on the QPainter canvas, compared with reference pictures kept in
// reference/. The charts use the project's own font package (DejaVu Sans), since a chart's
// geometry follows its text measures (disc radius, bar widths); the comparison works on
// pictures shrunk to a quarter of their size, where glyphs rendered by another version or
// with other hinting blur into much the same grey. It catches geometry and colour faults;
// exact text places and contents are checked with the recording canvas. Set
// ZEP_UPDATE_REFERENCE_IMAGES=1 to write the references anew; a picture that does not match
// is written next to the test binary for a look.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>

#include "charts/gps_graphs.h"
#include "charts/satellite_chart.h"
#include "charts/scatter_chart.h"
#include "platform/qt/painter_canvas.h"

namespace {

const CanvasFont kFont{"DejaVu Sans", 80, 400, 0};

const std::string kReferenceDir = ZEP_SOURCE_DIR "/tests/charts/reference/";

QImage Render(int width, int height, const std::function<void(Canvas&, const CanvasRect&)>& draw) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(QColor(85, 85, 85));
  QPainter painter(&image);
  {
    PainterCanvas canvas(painter);
    draw(canvas, {0, 0, width, height});
  }
  return image;
}

// Share of the shrunk pixels whose colour differs clearly.
double DifferingShare(const QImage& actual, const QImage& reference) {
  constexpr int kShrink = 4;
  constexpr int kClearDifference = 48;
  const QSize small = actual.size() / kShrink;
  const QImage a = actual.scaled(small, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  const QImage b = reference.scaled(small, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  int differing = 0;
  for (int y = 0; y < small.height(); ++y) {
    for (int x = 0; x < small.width(); ++x) {
      const QColor p = a.pixelColor(x, y);
      const QColor q = b.pixelColor(x, y);
      const int diff = std::max({std::abs(p.red() - q.red()), std::abs(p.green() - q.green()),
                                 std::abs(p.blue() - q.blue())});
      differing += diff > kClearDifference;
    }
  }
  return static_cast<double>(differing) / (small.width() * small.height());
}

void ExpectMatchesReference(const QImage& actual, const std::string& name) {
  constexpr double kTolerance = 0.02;
  const std::string path = kReferenceDir + name;
  if (std::getenv("ZEP_UPDATE_REFERENCE_IMAGES") != nullptr) {
    ASSERT_TRUE(actual.save(QString::fromStdString(path), "PNG"));
    return;
  }
  QImage reference;
  ASSERT_TRUE(reference.load(QString::fromStdString(path))) << "no reference " << path;
  ASSERT_EQ(actual.size(), reference.size());
  const double share = DifferingShare(actual, reference.convertToFormat(actual.format()));
  if (share > kTolerance) {
    actual.save(QString::fromStdString(ZEP_BINARY_DIR "/" + name), "PNG");
  }
  EXPECT_LE(share, kTolerance) << name << " differs from its reference";
}

SSatTable SampleSatellites() {
  SSatTable table{};
  const SSatInfo sats[] = {{2, 62, 40, 44, true},   {5, 15, 300, 21, false},
                           {12, 35, 120, 38, true}, {25, 8, 200, 0, false},
                           {29, 48, 250, 41, true}, {44, 30, 190, 35, true},
                           {71, 55, 330, 39, true}, {78, 20, 80, 27, false}};
  std::copy(std::begin(sats), std::end(sats), table.begin());
  return table;
}

}  // namespace

TEST(ChartImages, SkyPlot) {
  const SSatTable table = SampleSatellites();
  CSatelliteChart chart;
  chart.m_font = kFont;
  chart.m_pSatellites = &table;
  ExpectMatchesReference(
      Render(320, 260, [&](Canvas& dc, const CanvasRect& rc) { chart.DrawSkyPlot(dc, rc); }),
      "sky-plot.png");
}

TEST(ChartImages, SignalBars) {
  const SSatTable table = SampleSatellites();
  CSatelliteChart chart;
  chart.m_font = kFont;
  chart.m_pSatellites = &table;
  ExpectMatchesReference(
      Render(400, 140, [&](Canvas& dc, const CanvasRect& rc) { chart.DrawSnrChart(dc, rc); }),
      "snr-bars.png");
}

TEST(ChartImages, DopGraph) {
  CTimeSeriesGraph graph;
  SetUpDopGraph(graph, 10, 10);
  graph.m_font = kFont;
  for (int t = 0; t < 900; t += 5) {
    AddGraphSamples(graph, t, {1.2 + 0.4 * std::sin(t / 60.0), 2.0 + 0.5 * std::cos(t / 90.0),
                               1.6 + 0.3 * std::sin(t / 45.0)});
  }
  ExpectMatchesReference(
      Render(500, 195, [&](Canvas& dc, const CanvasRect& rc) { graph.Draw(dc, rc); }),
      "dop-graph.png");
}

TEST(ChartImages, Scatter) {
  CScatterChart chart;
  chart.m_font = kFont;
  for (int i = 0; i < 200; ++i) {
    const double dRadius = 4e-7 * (i % 50);
    chart.AddPosition(0.2 + dRadius * std::cos(i * 0.7), 0.9 + dRadius * std::sin(i * 0.7));
  }
  ExpectMatchesReference(
      Render(320, 260, [&](Canvas& dc, const CanvasRect& rc) { chart.Draw(dc, rc); }),
      "scatter.png");
}
