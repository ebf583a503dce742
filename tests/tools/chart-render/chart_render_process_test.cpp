// chart-render run as a program: what it writes and the status it ends with.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>

#include "platform/c_format.h"
#include "tests/support/file_text.h"
#include "tests/support/temp_dir.h"

namespace {
namespace fs = std::filesystem;

// Runs the tool on the log with its charts going to the folder; the exit status.
int Render(const fs::path& log, const fs::path& out) {
  fs::create_directories(out);
  const std::string command = std::string("'") + CHART_RENDER_PATH + "' --out '" + out.string() +
                              "' '" + log.string() + "' > /dev/null 2>&1";
  const int nStatus = std::system(command.c_str());
  return WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : -1;
}

// Fixes wandering a few metres, one a second, for longer than the scatter plot holds.
std::string Fixes(int nCount) {
  std::string text;
  for (int i = 0; i < nCount; ++i) {
    text += FormatC("$GPGGA,%02d%02d%02d.00,5128.%04d,N,00007.%04d,W,1,08,0.9,45.3,M,47.0,M,,\r\n",
                    i / 3600, i / 60 % 60, i % 60, 210 + i % 37, 5570 + i % 23);
  }
  return text;
}

}  // namespace

// A wild fix (its latitude reads as 1.2e37 degrees) is no position: once it would have
// left the plot's window, the picture is the one drawn without it.
TEST(ChartRenderProcess, AWildFixLeavesTheScatterPlotAsWithoutIt) {
  const CTempDir dir;
  ASSERT_FALSE(dir.Path().empty());
  const fs::path root = dir.Path();
  const std::string strFixes = Fixes(1100);
  std::ofstream(root / "plain.nmea", std::ios::binary) << strFixes;
  std::ofstream(root / "wild.nmea", std::ios::binary)
      << "$GPGGA,000000.00,4807.E38,N,00007.5570,W,1,08,0.9,45.3,M,47.0,M,,\r\n" + strFixes;
  ASSERT_EQ(Render(root / "plain.nmea", root / "plain"), 0);
  ASSERT_EQ(Render(root / "wild.nmea", root / "wild"), 0);
  const std::string strPlain = ReadFileBytes(root / "plain" / "scatter.png");
  ASSERT_FALSE(strPlain.empty());
  EXPECT_TRUE(strPlain == ReadFileBytes(root / "wild" / "scatter.png"));
  EXPECT_TRUE(ReadFileBytes(root / "plain" / "latitude.png") ==
              ReadFileBytes(root / "wild" / "latitude.png"));
}

// A log that cannot be read (here a folder) ends with status 1 and no charts.
TEST(ChartRenderProcess, AFolderForTheLogEndsWithStatusOneAndNoCharts) {
  const CTempDir dir;
  ASSERT_FALSE(dir.Path().empty());
  const fs::path root = dir.Path();
  fs::create_directories(root / "a-folder");
  EXPECT_EQ(Render(root / "a-folder", root / "out"), 1);
  EXPECT_EQ(Render(root / "missing.nmea", root / "out"), 1);
  EXPECT_TRUE(fs::is_empty(root / "out"));
}
