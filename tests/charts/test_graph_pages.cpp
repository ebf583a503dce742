// The graph pages as a person uses them: the right-click menu with its spans and "Clear
// ALL", what it tells the sheet, the "Gps Graph" file it rewrites, and what the graphs show.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "charts/dop_sat_page.h"
#include "tests/support/file_text.h"
#include "charts/lat_lon_ht_page.h"
#include "platform/recording_canvas.h"
#include "serial/messages.h"
#include "settings/config_file.h"
#include "tests/support/menu_driver.h"
#include "tests/settings/temp_drives.h"

namespace
{

std::string GpsGraphFile()
{
    return ReadFileBytes(CConfigFile().MakeFileName("Gps Graph"));
}

void WriteGpsGraphFile(const std::string& strText)
{
    std::ofstream(CConfigFile().MakeFileName("Gps Graph"), std::ios::binary) << strText;
}

int DashedLines(CTimeSeriesGraph& graph)
{
    RecordingCanvas dc;
    graph.Draw(dc, {0, 0, 500, 180});
    int nDashed = 0;
    for (const CanvasOp& op : dc.OpsOfKind(CanvasOpKind::kLine))
        nDashed += op.state.pen.style == PenStyle::kDash;
    return nDashed;
}

class GraphPages : public ::testing::Test
{
protected:
    CTempDrives m_environment;
    CMessageQueue m_sheet;
};

TEST_F(GraphPages, WithoutASettingsFileBothSpansAreTen)
{
    CLatLonHtPP page;
    EXPECT_EQ(page.m_nTimeSpanMinutes, 10);
    EXPECT_EQ(page.m_nYSpan, 10);
    page.Activate();
    EXPECT_EQ(page.m_graphLat.m_dTimeSpan, 600.0);
    // A span of 10 is shown as -10 to 10 about the newest latitude.
    EXPECT_EQ(page.m_graphLat.m_dYMax, 10.0);
}

TEST_F(GraphPages, SpansComeFromTheFileAndABrokenSpanFallsBack)
{
    WriteGpsGraphFile("Time Span = 7\r\nY Span = 25\r\n");
    CLatLonHtPP page;
    page.Activate();
    EXPECT_EQ(page.m_graphHeight.m_dTimeSpan, 420.0);
    EXPECT_EQ(page.m_nYSpan, 25);
    // The DOP page opens at 10 whatever the file says.
    CDopSatPP dop;
    dop.Activate();
    EXPECT_EQ(dop.m_nYSpan, 10);
    EXPECT_EQ(dop.m_graphDop.m_dYMax, 10.0);
    // A time span of 0 would leave the graphs without a time axis.
    WriteGpsGraphFile("Time Span = 0\r\nY Span = -3\r\n");
    CLatLonHtPP broken;
    EXPECT_EQ(broken.m_nTimeSpanMinutes, 10);
    EXPECT_EQ(broken.m_nYSpan, 10);
}

TEST_F(GraphPages, MenuChoicesPostTheResetsAndRewriteTheFile)
{
    CLatLonHtPP page;
    page.m_pSheet = &m_sheet;
    page.Activate();

    ChooseInNextMenu({"Time Span", "1 Day"});
    page.ShowGraphMenu(QPoint(50, 50));
    EXPECT_EQ(page.m_nTimeSpanMinutes, 1440);
    auto message = m_sheet.TryTake();
    ASSERT_TRUE(message);
    EXPECT_EQ(message->m_nMessage, UM_RESET_TIME_SPAN);
    EXPECT_EQ(message->m_wParam, 0u);
    EXPECT_EQ(GpsGraphFile(), "Time Span = 1440\r\nY Span = 10\r\n");

    ChooseInNextMenu({"Y Span", "50 Metres"});
    page.ShowGraphMenu(QPoint(50, 50));
    message = m_sheet.TryTake();
    ASSERT_TRUE(message);
    EXPECT_EQ(message->m_nMessage, UM_RESET_Y_SPAN);
    EXPECT_EQ(message->m_wParam, 50u);
    EXPECT_EQ(GpsGraphFile(), "Time Span = 1440\r\nY Span = 50\r\n");

    ChooseInNextMenu({"Clear ALL"});
    page.ShowGraphMenu(QPoint(50, 50));
    message = m_sheet.TryTake();
    ASSERT_TRUE(message);
    EXPECT_EQ(message->m_nMessage, UM_RESET_GRAPH);
}

TEST_F(GraphPages, DismissedMenuPostsNothingButStillSaves)
{
    CDopSatPP page;
    page.m_pSheet = &m_sheet;
    page.Activate();
    ASSERT_FALSE(std::filesystem::exists(CConfigFile().MakeFileName("Gps Graph")));
    ChooseInNextMenu({});
    page.ShowGraphMenu(QPoint(50, 50));
    EXPECT_EQ(m_sheet.Size(), 0u);
    EXPECT_EQ(GpsGraphFile(), "Time Span = 10\r\nY Span = 10\r\n");
}

TEST_F(GraphPages, DopReferenceLineShowsOnlyInsideTheSpan)
{
    CDopSatPP page;
    page.Activate();
    EXPECT_EQ(DashedLines(page.m_graphDop), 0); // no sample yet, no reference line
    page.UpdateDop(1.2, 2.0, 1.6, 7, 11);
    page.UpdateDop(1.3, 2.1, 1.7, 7, 11);
    EXPECT_EQ(DashedLines(page.m_graphDop), 0);  // 10 is the top edge of a span of 10
    EXPECT_EQ(DashedLines(page.m_graphSats), 1); // 3 satellites
    page.m_nYSpan = 15;
    page.ApplyYSpan();
    EXPECT_EQ(DashedLines(page.m_graphDop), 1);
    page.m_nYSpan = 0;
    page.ApplyYSpan();
    EXPECT_EQ(page.m_graphDop.m_dYRange, 10.0);
}

TEST_F(GraphPages, SamplesBeforeTheFirstShowAreNotRecordedAndClearingKeepsPlotting)
{
    CDopSatPP page;
    page.UpdateDop(1, 2, 3, 4, 5);
    page.Activate();
    ASSERT_EQ(page.m_graphDop.GetSize(), 3);
    EXPECT_EQ(page.m_graphDop.GetTrace(0).GetSize(), 0);
    page.UpdateDop(1, 2, 3, 4, 5);
    EXPECT_EQ(page.m_graphSats.GetTrace(1).GetSize(), 1);
    EXPECT_EQ(page.m_graphSats.GetTrace(1).m_crTrace, MakeRgb(0, 255, 255));
    page.ClearGraphs();
    EXPECT_EQ(page.m_graphSats.GetTrace(1).GetSize(), 0);
    page.UpdateDop(1, 2, 3, 4, 5);
    EXPECT_EQ(page.m_graphSats.GetTrace(1).GetSize(), 1);
}

TEST_F(GraphPages, PositionGraphsPlotMetresAtTheNewestFix)
{
    CLatLonHtPP page;
    page.Activate();
    const double dLat = 60.0 / 57.29577951308232;
    page.AddPosition(dLat, 0.1, 45.0);
    // WGS 84 radii of curvature at 60 degrees (meridian, and prime vertical times cos 60).
    EXPECT_NEAR(page.m_graphLat.m_dLatFactor, 6383453.9, 1.0);
    EXPECT_NEAR(page.m_graphLon.m_dLonFactor, 3197104.6, 1.0);
    EXPECT_EQ(page.m_graphHeight.GetTrace(0).Newest().y, 45.0);
    // Each graph is drawn inside its frame's one-pixel border, which stays visible.
    const QRect frame = page.GetDlgItem(CLatLonHtPP::kIdLatFrame)->geometry();
    EXPECT_EQ(page.FrameArea(CLatLonHtPP::kIdLatFrame),
              (CanvasRect{frame.left() + 1, frame.top() + 1, frame.right(), frame.bottom()}));
    EXPECT_EQ(page.m_graphLon.GetTrace(0).m_crTrace, MakeRgb(0, 255, 255));

    // A position that is no place on Earth is left out; its height is still plotted.
    page.AddPosition(1.2e37, 0.1, 46.0);
    EXPECT_EQ(page.m_graphLat.GetTrace(0).GetSize(), 1);
    EXPECT_EQ(page.m_graphLon.GetTrace(0).GetSize(), 1);
    EXPECT_NEAR(page.m_graphLat.m_dLatFactor, 6383453.9, 1.0);
    EXPECT_EQ(page.m_graphHeight.GetTrace(0).Newest().y, 46.0);
}

} // namespace
