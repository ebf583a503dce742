#include "tools/chart-render/chart_feed.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string Stream(std::initializer_list<const char*> lines) {
  std::string text;
  for (const char* pszLine : lines) {
    text += pszLine;
    text += "\r\n";
  }
  return text;
}

}  // namespace

TEST(ChartFeed, EpochsFollowTheGgaTimeAndGsaSamplesTakeTheirEpoch) {
  CChartFeed feed({10, 10});
  std::istringstream stream(Stream({
      "$GPGGA,120000.00,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*00",
      "$GLGGA,120000.00,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*00",
      "$GPGSA,A,3,04,05,09,,,,,,,,,,1.5,0.9,1.2*00",
      "$GPGGA,120001.00,4807.039,N,01131.000,E,1,08,0.9,545.6,M,46.9,M,,*00",
      "$GPGGA,,,,,,0,,,,,,,,*00",
      "$GPGGA,,,,,,0,,,,,,,,*00",
  }));
  feed.ReadStream(stream);
  // Two talkers in the first second, one in the next, then two fixless sentences without a
  // time: one epoch each.
  EXPECT_EQ(feed.Epochs(), 4);
  const CDataTrace& height = feed.m_graphHeight.GetTrace(0);
  ASSERT_EQ(height.GetSize(), 5);
  EXPECT_EQ(height[4].x, 1);
  EXPECT_EQ(height[3].x, 1);
  EXPECT_EQ(height[2].x, 2);
  EXPECT_EQ(height[2].y, 545.6);  // the altitude, without the separation
  const CDataTrace& hdop = feed.m_graphDop.GetTrace(0);
  ASSERT_EQ(hdop.GetSize(), 1);
  EXPECT_EQ(hdop[0].x, 1);
  EXPECT_EQ(hdop[0].y, 0.9);
  // Fixes without a position are not scattered.
  EXPECT_EQ(feed.m_scatter.m_points.GetSize(), 3);
}

TEST(ChartFeed, KeepsTheLastCompleteGsvGroupSortedByPrn) {
  CChartFeed feed({10, 10});
  std::istringstream stream(Stream({
      "$GPGSV,2,1,05,17,40,090,45,03,20,180,30,22,60,270,40,09,10,045,20*00",
      "$GPGSV,2,2,05,05,33,120,38*00",
      "$GPGSV,2,1,05,30,40,090,45*00",  // an unfinished group changes nothing shown
  }));
  feed.ReadStream(stream);
  ASSERT_TRUE(feed.HasSatellites());
  const unsigned expected[] = {3, 5, 9, 17, 22};
  ASSERT_EQ(feed.m_sky.View().size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(feed.m_sky.View()[i].m_nSvid, expected[i]) << i;
  }
}

TEST(ChartFeed, RecordedLogFillsEveryChart) {
  std::ifstream file(ZEP_SOURCE_DIR "/../shared/nmea-logs/haicom-305N.nmea", std::ios::binary);
  if (!file) {
    GTEST_SKIP() << "recorded logs not found beside the source tree";
  }
  CChartFeed feed({10, 10});
  feed.ReadStream(file);
  EXPECT_EQ(feed.Epochs(), 73);
  EXPECT_TRUE(feed.HasSatellites());
  EXPECT_EQ(feed.m_scatter.m_points.GetSize(), 73);
  EXPECT_EQ(feed.m_graphSats.GetTrace(1).GetSize(), 26);
  feed.UseMetresForAngles();
  EXPECT_NEAR(feed.m_graphLat.m_dLatFactor, 6.37e6, 0.05e6);
}
