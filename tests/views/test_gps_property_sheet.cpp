// The live GPS monitor driven as a person sees it: start-up with and without a receiver,
// sentences fed into the sheet's message handler or through a pseudo-terminal, the pages'
// texts and colours, the NMEA list and its modes, closing with "Ok", and a screenshot of
// every page after a replayed log of a real receiver.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QLabel>
#include <QTabWidget>
#include <QTest>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "nmea/rx_ring.h"
#include "platform/clock.h"
#include "platform/qt/text_codec.h"
#include "serial/messages.h"
#include "serial/receiver_link.h"
#include "tests/support/menu_driver.h"
#include "tests/views/pixels.h"
#include "tests/support/pty_receiver.h"
#include "tests/support/screenshot.h"
#include "tests/support/scripted_prompt.h"
#include "tests/support/show_counter.h"
#include "tests/settings/temp_drives.h"
#include "settings/config_file.h"
#include "views/ascii_display.h"
#include "views/gps_property_sheet.h"

namespace
{

// A bracketed piece of the list's display modes: between the guillemets 0xAB and 0xBB.
std::string Piece(const std::string& strInside)
{
    return "\xAB" + strInside + "\xBB";
}

std::string LabelText(CColourPropertyPage& page, int nId)
{
    auto* pLabel = page.GetDlgItemAs<QLabel>(nId);
    return pLabel ? FromQString(pLabel->text()) : std::string("<no label>");
}

QColor LabelColour(CColourPropertyPage& page, int nId)
{
    return page.GetDlgItemAs<QLabel>(nId)->palette().color(QPalette::WindowText);
}

class GpsPropertySheet : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_receiver.Ready());
        OpenSheet(m_prompt);
        ASSERT_TRUE(m_pSheet->IsLinkRunning()) << ::testing::PrintToString(m_prompt.Texts());
        m_pSheet->show();
    }

    void OpenSheet(CScriptedPrompt& prompt)
    {
        // While the start-up probes the port the receiver sends a text line that no page shows.
        m_receiver.StartTalking("$GPTXT,01,01,02,probe*00\r\n");
        m_pSheet = std::make_unique<CGpsPropertySheet>(prompt, m_pacing);
        m_receiver.StopTalking();
    }

    // Feeds text straight into the sheet's handler, as UM_RECEIVE_DATA would deliver it.
    void Feed(const std::string& text)
    {
        m_ring.Append(text.data(), text.size());
        m_pSheet->OnReceiveData(0, reinterpret_cast<LParam>(&m_ring));
    }

    void OpenPage(int nIndex)
    {
        m_pSheet->SetActivePage(nIndex);
        QApplication::processEvents();
    }

    CTempDrives m_environment;
    CPtyReceiver m_receiver;
    CScriptedPrompt m_prompt;
    SComsPacing m_pacing{5, 50, 5, 1000};
    std::unique_ptr<CGpsPropertySheet> m_pSheet;
    SRxRing m_ring;
};

TEST(GpsPropertySheetStartUp, WithoutReceiverBothMessagesAppearAndTheSheetEnds)
{
    CTempDrives environment;
    CScriptedPrompt prompt;
    CGpsPropertySheet sheet(prompt);
    EXPECT_FALSE(sheet.IsLinkRunning());
    EXPECT_EQ(prompt.FirstLines(), (std::vector<std::string>{kNoReceiverText, kNoDataText}));
    const CShowCounter shows(sheet);
    EXPECT_EQ(sheet.DoModal(), kIdCancel);
    EXPECT_EQ(shows.Count(), 0);
}

TEST_F(GpsPropertySheet, TabsInTheirOrderUnderTheTitleGps)
{
    EXPECT_EQ(m_pSheet->windowTitle(), "GPS");
    const char* const captions[] = {
        "GPS Data",     "Sat Viz",     "Satellites", "DOP / No Sats", "Position Monitoring",
        "Scatter Plot", "NMEA Monitor"};
    ASSERT_EQ(m_pSheet->GetPageCount(), 7);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(m_pSheet->GetPage(i)->GetCaption(), captions[i]);
}

TEST_F(GpsPropertySheet, TextPageShowsTheDecodedValuesAndFixColours)
{
    m_ring.Allocate();
    // Before any sentence every field is empty: no template placeholder shows.
    for (int nId : CGpsTextFields::kFieldIds)
        EXPECT_EQ(LabelText(m_pSheet->m_pageText, nId), "") << nId;
    Feed("$GPGGA,123519,4807.0380,N,01131.0000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n");
    EXPECT_EQ(LabelText(m_pSheet->m_pageText, 1002), "Lat: 48\xB0 07'.0380N");
    EXPECT_EQ(LabelText(m_pSheet->m_pageText, 1003), "Lon: 011\xB0 31'.0000E");
    EXPECT_EQ(LabelText(m_pSheet->m_pageText, 1005), "Height 545.40m");
    EXPECT_EQ(LabelText(m_pSheet->m_pageText, 1006), "HDOP   0.90");
    EXPECT_EQ(LabelText(m_pSheet->m_pageText, 1012), "3D Fix");
    EXPECT_EQ(LabelColour(m_pSheet->m_pageText, 1012), QColor(0, 255, 0));
    EXPECT_EQ(LabelColour(m_pSheet->m_pageText, 1002), QColor(255, 255, 255));
    Feed("$GPGSA,A,2,03,17,22,,,,,,,,,,2.5,1.3,2.1*39\r\n$GPVTG,45.5,T,,M,1.25,N,2.3,K,A*00\r\n");
    EXPECT_EQ(LabelText(m_pSheet->m_pageText, 1012), "2D Fix");
    EXPECT_EQ(LabelColour(m_pSheet->m_pageText, 1012), QColor(255, 128, 0));
    EXPECT_EQ(LabelText(m_pSheet->m_pageText, 1013), "COG  45.50\xB0");
    EXPECT_EQ(LabelText(m_pSheet->m_pageText, 1014), "SOG   1.25 Knots");
    EXPECT_EQ(LabelText(m_pSheet->m_pageText, 1008), "PDOP   2.50");
    // A text wider than its field in the field font is shown in a smaller one.
    for (int nId : CGpsTextFields::kFieldIds)
    {
        const QLabel* pField = m_pSheet->m_pageText.GetDlgItemAs<QLabel>(nId);
        EXPECT_LE(QFontMetrics(pField->font()).horizontalAdvance(pField->text()), pField->width() - 4) << nId;
    }
}

TEST(GpsTextPage, ValuesArrivingBeforeItsWindowExistsAreShownWhenItAppears)
{
    CTempDrives drives;
    CGpsTextPP page;
    page.Fields().SetCourseAndSpeed(45.5, 1.25);
    page.ShowFields();
    page.Activate();
    EXPECT_EQ(LabelText(page, 1013), "COG  45.50\xB0");
    EXPECT_EQ(LabelText(page, 1014), "SOG   1.25 Knots");
    EXPECT_EQ(LabelText(page, 1002), "");
}

TEST_F(GpsPropertySheet, NmeaPageListsAndCountsOnlyTheSixTypesOnceOpened)
{
    m_ring.Allocate();
    Feed("$GPGGA,1,2,3*00\r\n");
    OpenPage(6);
    CNmeaGpsMonitorPP& page = m_pSheet->m_pageNmea;
    EXPECT_EQ(page.m_list.GetCount(), 0); // before the first opening nothing is listed
    for (int nId : {1020, 1033, 1024, 1026, 1028, 1037, 1032})
        EXPECT_EQ(LabelText(page, nId), "0");
    Feed("$GPZDA,201530.00,04,07,2002,00,00*60\r\n$HEHDT,274.07,T*03\r\n$GPTXT,01,01,02,X*3B\r\n");
    EXPECT_EQ(page.m_list.GetCount(), 0);
    Feed("$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A\r\n");
    Feed("$PTNL,GGA,123519,4807.0380,N,01131.0000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n");
    EXPECT_EQ(page.m_list.GetCount(), 2);
    EXPECT_EQ(page.m_list.GetText(0).rfind("$PTNL,GGA", 0), 0u); // newest on top
    // White text on the page's grey.
    const QImage list = GrabImage(page.m_list);
    EXPECT_EQ(PixelAt(list, list.width() / 2, list.height() - 10), QColor(85, 85, 85));
    EXPECT_TRUE(HasPixel(list, QRect(0, 0, list.width(), 2 * page.m_list.GetItemHeight()), Qt::white));
    EXPECT_EQ(LabelText(page, 1033), "1");
    EXPECT_EQ(LabelText(page, 1032), "1");
    EXPECT_EQ(LabelText(page, 1020), "1");
    // Listing goes on while another tab is active; returning to the tab starts afresh.
    OpenPage(0);
    Feed("$GPGLL,4916.45,N,12311.12,W,225444,A,*1D\r\n");
    EXPECT_EQ(LabelText(page, 1024), "1");
    OpenPage(6);
    EXPECT_EQ(page.m_list.GetCount(), 0);
    EXPECT_EQ(LabelText(page, 1024), "0");
}

TEST_F(GpsPropertySheet, CountersWrapAtThousandOnThePage)
{
    m_ring.Allocate();
    OpenPage(6);
    for (int i = 0; i < 1000; ++i)
        Feed("$GPGSA,A,3,03,,,,,,,,,,,,2.5,1.3,2.1*39\r\n");
    EXPECT_EQ(LabelText(m_pSheet->m_pageNmea, 1026), "0");
    Feed("$GPGSA,A,3,03,,,,,,,,,,,,2.5,1.3,2.1*39\r\n");
    EXPECT_EQ(LabelText(m_pSheet->m_pageNmea, 1026), "1");
    // The list never holds more than it can show.
    const CAsciiListBox& list = m_pSheet->m_pageNmea.m_list;
    EXPECT_LE(list.GetCount(), list.viewport()->height() / list.GetItemHeight());
    QTest::mouseClick(&m_pSheet->m_pageNmea.m_btnReset, Qt::LeftButton);
    EXPECT_EQ(LabelText(m_pSheet->m_pageNmea, 1026), "0");
    EXPECT_EQ(list.GetCount(), 0);
}

TEST_F(GpsPropertySheet, HexAndDecimalModesFromTheListMenu)
{
    m_ring.Allocate();
    OpenPage(6);
    CAsciiListBox& list = m_pSheet->m_pageNmea.m_list;
    ChooseInNextMenu({"HEX"});
    QTest::mouseClick(list.viewport(), Qt::RightButton, {}, QPoint(20, 20));
    EXPECT_EQ(list.m_nMode, kModeHex);
    Feed("$GPGLL,4916.45,N,12311.12,W,225444,A,*1D\r\n");
    EXPECT_EQ(list.GetText(0).rfind(Piece("$24") + Piece("$47") + Piece("$50"), 0), 0u);
    ChooseInNextMenu({"Decimal"});
    QTest::mouseClick(list.viewport(), Qt::RightButton, {}, QPoint(20, 20));
    Feed("$GPGLL,4916.45,N,12311.12,W,225444,A,*1D\r\n");
    EXPECT_EQ(list.GetText(0).rfind(Piece("036") + Piece("071") + Piece("080"), 0), 0u);
    // Without the menu switch a right click changes nothing.
    list.m_bMenu = false;
    QTest::mouseClick(list.viewport(), Qt::RightButton, {}, QPoint(20, 20));
    EXPECT_EQ(list.m_nMode, kModeDecimal);
}

// Every display line fits across the list in each mode: there is no horizontal scroll bar,
// so a piece past the right edge would never be seen.
TEST_F(GpsPropertySheet, DisplayLinesStayWithinTheList)
{
    m_ring.Allocate();
    OpenPage(6);
    CAsciiListBox& list = m_pSheet->m_pageNmea.m_list;
    const std::string sentence =
        "$GPGSV,3,1,12,05,06,110,19,10,24,284,34,13,37,124,29,15,63,083,11*7A\r\n";
    for (const int nMode : {kModeNormal, kModeAscii, kModeDecimal, kModeHex})
    {
        list.m_nMode = nMode;
        Feed(sentence);
        for (int i = 0; i < list.GetCount(); ++i)
        {
            QString text = ToQString(list.GetText(i));
            text.remove('\r').remove('\n');
            EXPECT_LE(list.fontMetrics().horizontalAdvance(text), list.viewport()->width())
                << "mode " << nMode << ": " << list.GetText(i);
        }
    }
    EXPECT_GT(list.GetCount(), 4);  // the bracketed modes take several lines per sentence
}

TEST_F(GpsPropertySheet, GraphMenusReachTheSheetThroughItsQueue)
{
    OpenPage(4);
    ChooseInNextMenu({"Y Span", "5 Metres"});
    m_pSheet->m_pageLatLonHt.ShowGraphMenu(QPoint(40, 40));
    QApplication::processEvents();
    EXPECT_EQ(m_pSheet->m_pageLatLonHt.m_graphLat.m_dYMax, 5.0);
    OpenPage(3);
    ChooseInNextMenu({"Y Span", "15 Metres"});
    m_pSheet->m_pageDopSat.ShowGraphMenu(QPoint(40, 40));
    ChooseInNextMenu({"Time Span", "2 Hours"});
    m_pSheet->m_pageDopSat.ShowGraphMenu(QPoint(40, 40));
    QApplication::processEvents();
    EXPECT_EQ(m_pSheet->m_pageDopSat.m_graphDop.m_dYMax, 15.0);
    EXPECT_EQ(m_pSheet->m_pageDopSat.m_graphSats.m_dYMax, 16.0);
    EXPECT_EQ(m_pSheet->m_pageDopSat.m_graphSats.m_dTimeSpan, 7200.0);
    // Each page keeps its own time span.
    EXPECT_EQ(m_pSheet->m_pageLatLonHt.m_graphHeight.m_dTimeSpan, 600.0);
}

TEST_F(GpsPropertySheet, DataThroughThePseudoTerminalThenUnplugged)
{
    m_receiver.Send("$GPGGA,123519,4807.0380,N,01131.0000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n");
    QTRY_COMPARE_WITH_TIMEOUT(ToQString(LabelText(m_pSheet->m_pageText, 1005)),
                              QString("Height 545.40m"), 5000);
    m_receiver.Unplug();
    QTest::qWait(100);
    EXPECT_EQ(LabelText(m_pSheet->m_pageText, 1005), "Height 545.40m");
    EXPECT_TRUE(m_prompt.Texts().empty());
}

TEST_F(GpsPropertySheet, OkAsksAndOnlyYesCloses)
{
    m_prompt.AnswerNext(false);
    m_prompt.AnswerNext(true);
    QTest::mouseClick(m_pSheet->findChild<CColourButton*>(), Qt::LeftButton);
    ASSERT_EQ(m_prompt.Shown().size(), 1u);
    EXPECT_EQ(m_prompt.Shown()[0].m_strText, "Do you want to close the GPS Monitor");
    EXPECT_EQ(m_prompt.Shown()[0].m_strCaption, "Exit Program");
    EXPECT_TRUE(m_pSheet->isVisible());
    EXPECT_TRUE(m_pSheet->IsLinkRunning());
    // Escape takes the same way as "Ok".
    QTest::keyClick(m_pSheet.get(), Qt::Key_Escape);
    EXPECT_EQ(m_prompt.Shown().size(), 2u);
    EXPECT_FALSE(m_pSheet->IsLinkRunning());
    EXPECT_FALSE(m_pSheet->isVisible());
    EXPECT_EQ(m_pSheet->result(), kIdCancel);
}

// The "GPS Data" texts after a whole recording, against the recording's last sentences
// read by hand: a GPS-only receiver with VTG, and a GPS/GLONASS/Galileo receiver whose GSA
// sentences end in a system identifier after the three DOPs.
TEST_F(GpsPropertySheet, GpsDataTextsAfterRecordedReceivers)
{
    struct SExpected
    {
        const char* pLog;
        std::vector<std::pair<int, std::string>> texts;
    };
    const SExpected cases[] = {
        {"GPSmap-76S.nmea",
         {{1002, "Lat: 38\xB0 54'.5087N"}, {1003, "Lon: 077\xB0 26'.4523W"},
          {1005, "Height 268.80m"}, {1007, "Geodetic Separation -33.90m"},
          {1006, "HDOP   2.00"}, {1008, "PDOP   3.60"}, {1009, "VDOP   3.00"},
          {1010, "Sats Used 10"}, {1011, "Sats Available 10"}, {1012, "3D Fix"},
          {1013, "COG   0.00\xB0"}, {1014, "SOG   0.00 Knots"}}},
        {"furuno_gl_ga.nmea",
         {{1002, "Lat: 59\xB0 57'.0062N"}, {1003, "Lon: 011\xB0 00'.6429E"},
          {1005, "Height 168.90m"}, {1007, "Geodetic Separation  39.50m"},
          {1006, "HDOP   1.30"}, {1008, "PDOP   1.50"}, {1009, "VDOP   1.00"},
          // Counted over GLONASS, Galileo and SBAS, as gpsd counts them (uSat 11, nSat 18).
          {1010, "Sats Used 11"}, {1011, "Sats Available 18"}, {1012, "3D Fix"},
          {1013, ""}, {1014, ""}}},
    };
    m_ring.Allocate();
    for (const SExpected& expected : cases)
    {
        const std::filesystem::path log =
            std::filesystem::path(ZEP_SOURCE_DIR "/../shared/nmea-logs") / expected.pLog;
        if (!std::filesystem::exists(log))
            GTEST_SKIP() << "recorded logs not found at " << log;
        // A fresh sheet for each receiver, so that no value is left from the one before.
        m_pSheet.reset();
        OpenSheet(m_prompt);
        m_pSheet->show();
        OpenPage(0);
        std::ifstream file(log);
        std::string strLine;
        while (std::getline(file, strLine))
            Feed(strLine + "\n");
        for (const auto& [nId, text] : expected.texts)
            EXPECT_EQ(LabelText(m_pSheet->m_pageText, nId), text) << expected.pLog << " field " << nId;
    }
}

TEST_F(GpsPropertySheet, ScreenshotsOfEveryPageAfterAReplayedLog)
{
    const std::filesystem::path log = ZEP_SOURCE_DIR "/../shared/nmea-logs/haicom-305N.nmea";
    if (!std::filesystem::exists(log))
        GTEST_SKIP() << "recorded logs not found at " << log;
    auto pClock = std::make_shared<CSettableClock>(SClockTime{2026, 12, 9, 10, 0, 0, 0});
    CScopedClock scopedClock(pClock);
    m_ring.Allocate();
    for (int i = 0; i < 7; ++i)
        OpenPage(i); // every page shown once, so that all of them record
    std::ifstream file(log);
    std::string strLine;
    while (std::getline(file, strLine))
    {
        if (strLine.find("GGA") == 3)
            pClock->Advance(1000);
        Feed(strLine + "\n");
    }
    const char* const names[] = {
        "gps_data",     "sat_viz",     "satellites", "dop_sats", "position_monitoring",
        "scatter_plot", "nmea_monitor"};
    for (int i = 0; i < 7; ++i)
    {
        OpenPage(i);
        if (i == 6)
        {
            file.clear();
            file.seekg(0);
            for (int n = 0; n < 30 && std::getline(file, strLine); ++n)
                Feed(strLine + "\n");
        }
        EXPECT_FALSE(SaveScreenshot(*m_pSheet, std::string("gps_sheet_") + std::to_string(i + 1) +
                                                   "_" + names[i])
                         .empty());
    }
    EXPECT_NE(LabelText(m_pSheet->m_pageText, 1012), "");
    EXPECT_FALSE(m_pSheet->m_core.m_sky.View().empty());
}

} // namespace
