// chart-render: draws the monitor's charts of a recorded NMEA file into PNG files.
//
//   chart-render [--out DIR] [--size WxH] [--graph-size WxH] [--minutes N] [--yspan N]
//                [--degrees] FILE
//
// Writes sky-plot.png, snr-bars.png and elevation-bars.png (each system's last complete GSV group),
// scatter.png (all fixes), and dop.png, satellites.png, latitude.png, longitude.png and
// height.png (one position epoch per second). Latitude and longitude are plotted in metres
// about the newest fix unless --degrees asks for the raw change of the angle.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>

#include "platform/installation.h"
#include "platform/qt/painter_canvas.h"
#include "tools/chart-render/chart_feed.h"

namespace {

struct SOptions {
  std::string strFile;
  std::string strOut = ".";
  CanvasSize chartSize{500, 396};
  CanvasSize graphSize{500, 195};
  SChartSpans spans;
  bool bMetres = true;
};

const char* const kUsage =
    "usage: chart-render [--out DIR] [--size WxH] [--graph-size WxH] [--minutes N]\n"
    "                    [--yspan N] [--degrees] FILE\n"
    "Draws the monitor's charts of a recorded NMEA file into PNG files: sky-plot.png,\n"
    "snr-bars.png, elevation-bars.png, scatter.png, dop.png, satellites.png, latitude.png,\n"
    "longitude.png and height.png.\n"
    "  --out DIR          folder to write into, which must exist (default: the current one)\n"
    "  --size WxH         size of the sky plot, bars and scatter plot (default 500x396)\n"
    "  --graph-size WxH   size of the graphs (default 500x195)\n"
    "  --minutes N        time span of the graphs in minutes (default 10)\n"
    "  --yspan N          Y span of the graphs (default 10)\n"
    "  --degrees          plot the raw change of latitude and longitude, not metres\n"
    "  --help             show this help and exit\n"
    "  --version          show the version and exit\n";

enum class EParse { kRun, kHelp, kVersion, kBad };

bool ParseSize(const char* pszText, CanvasSize& size) {
  int cx = 0;
  int cy = 0;
  char chEnd = 0;
  if (std::sscanf(pszText, "%dx%d%c", &cx, &cy, &chEnd) != 2 || cx < 16 || cy < 16 ||
      cx > 8192 || cy > 8192) {
    return false;
  }
  size = {cx, cy};
  return true;
}

bool ParsePositive(const char* pszText, int& nValue) {
  char* pEnd = nullptr;
  const long n = std::strtol(pszText, &pEnd, 10);
  if (*pEnd != '\0' || n < 1 || n > 100000) {
    return false;
  }
  nValue = static_cast<int>(n);
  return true;
}

EParse ParseOptions(int argc, char** argv, SOptions& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string strArg = argv[i];
    const bool bHasValue = i + 1 < argc;
    if (strArg == "--help" || strArg == "-h") {
      return EParse::kHelp;
    } else if (strArg == "--version") {
      return EParse::kVersion;
    } else if (strArg == "--degrees") {
      options.bMetres = false;
    } else if (strArg == "--out" && bHasValue) {
      options.strOut = argv[++i];
    } else if (strArg == "--size" && bHasValue) {
      if (!ParseSize(argv[++i], options.chartSize)) return EParse::kBad;
    } else if (strArg == "--graph-size" && bHasValue) {
      if (!ParseSize(argv[++i], options.graphSize)) return EParse::kBad;
    } else if (strArg == "--minutes" && bHasValue) {
      if (!ParsePositive(argv[++i], options.spans.nTimeSpanMinutes)) return EParse::kBad;
    } else if (strArg == "--yspan" && bHasValue) {
      if (!ParsePositive(argv[++i], options.spans.nYSpan)) return EParse::kBad;
    } else if (!strArg.empty() && strArg[0] != '-' && options.strFile.empty()) {
      options.strFile = strArg;
    } else {
      return EParse::kBad;
    }
  }
  return options.strFile.empty() ? EParse::kBad : EParse::kRun;
}

// Draws one chart on the monitor's dark page background and saves it.
bool SavePng(const std::string& strPath, CanvasSize size,
             const std::function<void(Canvas&, const CanvasRect&)>& draw) {
  QImage image(size.cx, size.cy, QImage::Format_RGB32);
  image.fill(QColor(85, 85, 85));
  {
    QPainter painter(&image);
    PainterCanvas canvas(painter);
    draw(canvas, {0, 0, size.cx, size.cy});
  }
  if (!image.save(QString::fromStdString(strPath), "PNG")) {
    std::fprintf(stderr, "chart-render: cannot write %s\n", strPath.c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  SOptions options;
  switch (ParseOptions(argc, argv, options)) {
    case EParse::kHelp:
      std::fputs(kUsage, stdout);
      return 0;
    case EParse::kVersion:
      std::printf("chart-render %s\n", ProgramVersion());
      return 0;
    case EParse::kBad:
      std::fputs(kUsage, stderr);
      return 2;
    case EParse::kRun:
      break;
  }
  // A folder opens like a file and fails only when read: a log that fails at any point
  // gives no charts.
  std::ifstream file(options.strFile, std::ios::binary);
  CChartFeed feed(options.spans);
  if (file) {
    feed.ReadStream(file);
  }
  if (!file.is_open() || file.bad()) {
    std::fprintf(stderr, "chart-render: cannot read %s\n", options.strFile.c_str());
    return 1;
  }
  // Text needs a GUI application; no display is needed to draw into images.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication app(argc, argv);
  if (options.bMetres) {
    feed.UseMetresForAngles();
  }
  if (feed.HasSatellites()) {
    feed.m_satellites.m_pSky = &feed.m_sky.View();
  }

  const std::string out = options.strOut + "/";
  const CanvasSize chart = options.chartSize;
  const CanvasSize graph = options.graphSize;
  CSatelliteChart& sats = feed.m_satellites;
  bool bOk = true;
  bOk &= SavePng(out + "sky-plot.png", chart,
                 [&](Canvas& dc, const CanvasRect& rc) { sats.DrawSkyPlot(dc, rc); });
  bOk &= SavePng(out + "snr-bars.png", graph,
                 [&](Canvas& dc, const CanvasRect& rc) { sats.DrawSnrChart(dc, rc); });
  bOk &= SavePng(out + "elevation-bars.png", graph,
                 [&](Canvas& dc, const CanvasRect& rc) { sats.DrawElevationChart(dc, rc); });
  bOk &= SavePng(out + "scatter.png", chart,
                 [&](Canvas& dc, const CanvasRect& rc) { feed.m_scatter.Draw(dc, rc); });
  const std::pair<const char*, CTimeSeriesGraph*> graphs[] = {
      {"dop.png", &feed.m_graphDop},           {"satellites.png", &feed.m_graphSats},
      {"latitude.png", &feed.m_graphLat},      {"longitude.png", &feed.m_graphLon},
      {"height.png", &feed.m_graphHeight}};
  for (const auto& [pszName, pGraph] : graphs) {
    bOk &= SavePng(out + pszName, graph,
                   [&](Canvas& dc, const CanvasRect& rc) { pGraph->Draw(dc, rc); });
  }
  std::printf("%d position epochs, %s\n", feed.Epochs(),
              feed.HasSatellites() ? "satellites of each system's last complete GSV group"
                                   : "no complete GSV group");
  return bOk ? 0 : 1;
}
