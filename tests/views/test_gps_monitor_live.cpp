// The monitor against the simulated receiver run as a program, as a person would use them
// together: the values, the satellites, the graphs and the raw sentences arrive, stopping
// the simulator freezes them without a message, and a receiver that sends nothing ends the
// monitor with its message.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <csignal>
#include <string>

#include "platform/qt/text_codec.h"
#include "serial/receiver_link.h"
#include "tests/settings/temp_drives.h"
#include "tests/support/screenshot.h"
#include "tests/support/scripted_prompt.h"
#include "tests/tools/zephyrane-sim/child_process.h"
#include "views/gps_property_sheet.h"

namespace
{

QString FieldText(CColourPropertyPage& page, int nId)
{
    auto* pLabel = page.GetDlgItemAs<QLabel>(nId);
    return pLabel ? pLabel->text() : QString();
}

// Every page opened once: the graphs record and the NMEA page lists from then on.
void ShowWithEveryPageOpened(CGpsPropertySheet& sheet)
{
    sheet.show();
    for (int i = sheet.GetPageCount() - 1; i >= 0; --i)
        sheet.SetActivePage(i);
}

TEST(GpsMonitorLive, SimulatedReceiverFillsEveryPageAndStoppingItFreezesThem)
{
    CTempDrives drives;
    CChildProcess sim({ZEPHYRANE_SIM_PATH});
    ASSERT_FALSE(sim.FirstLine().empty());
    CScriptedPrompt prompt;
    CGpsPropertySheet sheet(prompt);
    ASSERT_TRUE(sheet.IsLinkRunning()) << ::testing::PrintToString(prompt.Texts());
    ShowWithEveryPageOpened(sheet);

    QTRY_VERIFY_WITH_TIMEOUT(FieldText(sheet.m_pageText, 1002).startsWith("Lat: "), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(!sheet.m_core.m_sky.View().empty(), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(FieldText(sheet.m_pageText, 1011).startsWith("Sats Available "), 5000);
    EXPECT_FALSE(FieldText(sheet.m_pageText, 1012).isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(sheet.m_pageLatLonHt.m_graphHeight.GetTrace(0).GetSize() >= 2, 5000);
    EXPECT_GT(sheet.m_pageScatter.m_chart.m_points.GetSize(), 0);
    EXPECT_GT(sheet.m_pageNmea.m_list.GetCount(), 0);
    EXPECT_NE(FieldText(sheet.m_pageNmea, 1020), "0");

    for (int i = 0; i < sheet.GetPageCount(); ++i)
    {
        sheet.SetActivePage(i);
        QApplication::processEvents();
        SaveScreenshot(sheet, "gps_sheet_live_" + std::to_string(i + 1));
    }

    sim.Stop(SIGTERM);
    // Lines received just before the stop may still wait in the window's queue.
    QTest::qWait(300);
    const QString strLatitude = FieldText(sheet.m_pageText, 1002);
    QTest::qWait(500);
    EXPECT_EQ(FieldText(sheet.m_pageText, 1002), strLatitude);
    EXPECT_TRUE(prompt.Texts().empty());

    prompt.AnswerNext(true);
    QTest::keyClick(&sheet, Qt::Key_Escape);
    EXPECT_FALSE(sheet.IsLinkRunning());
    EXPECT_FALSE(sheet.isVisible());
}

// The receiver unplugged and plugged in again: the title says so, the pages are dimmed while
// their values are stale, and when it is back the same graphs and counters carry on.
TEST(GpsMonitorLive, AnUnpluggedReceiverIsShownAndTheMonitorCarriesOnWhenItComesBack)
{
    CTempDrives drives;
    CChildProcess sim({ZEPHYRANE_SIM_PATH, "--unplug-after", "4", "--replug-after", "2"});
    ASSERT_FALSE(sim.FirstLine().empty());
    CScriptedPrompt prompt;
    CGpsPropertySheet sheet(prompt);
    ASSERT_TRUE(sheet.IsLinkRunning()) << ::testing::PrintToString(prompt.Texts());
    ShowWithEveryPageOpened(sheet);
    const auto Ggas = [&] { return sheet.m_pageNmea.Counts().Get(CSentenceCounts::kGGA); };
    const auto Heights = [&] { return sheet.m_pageLatLonHt.m_graphHeight.GetTrace(0).GetSize(); };

    QTRY_VERIFY_WITH_TIMEOUT(Ggas() >= 1, 5000);
    EXPECT_EQ(sheet.windowTitle(), "GPS");
    EXPECT_EQ(sheet.m_pageText.graphicsEffect(), nullptr);

    QTRY_COMPARE_WITH_TIMEOUT(sheet.windowTitle(), QString("GPS - Receiver unplugged: waiting for it"), 8000);
    EXPECT_NE(sheet.m_pageText.graphicsEffect(), nullptr);
    EXPECT_NE(sheet.m_pageLatLonHt.graphicsEffect(), nullptr);
    SaveScreenshot(sheet, "gps_sheet_receiver_unplugged");
    const int nGgas = Ggas();
    const int nHeights = Heights();

    QTRY_COMPARE_WITH_TIMEOUT(sheet.windowTitle(), QString("GPS"), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(Ggas() >= nGgas + 2, 5000);
    EXPECT_GT(Heights(), nHeights);
    EXPECT_EQ(sheet.m_pageText.graphicsEffect(), nullptr);
    EXPECT_TRUE(prompt.Texts().empty());

    prompt.AnswerNext(true);
    QTest::keyClick(&sheet, Qt::Key_Escape);
    EXPECT_FALSE(sheet.IsLinkRunning());
}

TEST(GpsMonitorLive, ReceiverWithoutDataEndsTheMonitorWithItsMessage)
{
    CTempDrives drives;
    CChildProcess sim({ZEPHYRANE_SIM_PATH, "--silent"});
    ASSERT_FALSE(sim.FirstLine().empty());
    CScriptedPrompt prompt;
    CGpsPropertySheet sheet(prompt);
    EXPECT_EQ(prompt.FirstLines(), std::vector<std::string>{kNoDataText});
    EXPECT_EQ(sheet.DoModal(), kIdCancel);
}

} // namespace
