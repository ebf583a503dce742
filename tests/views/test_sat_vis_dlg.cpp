#include "views/sat_vis_dlg.h"

#include "tests/settings/temp_drives.h"
#include "tests/support/refused_close.h"
#include "tests/support/screenshot.h"
#include "tests/support/scripted_prompt.h"
#include "tests/support/show_counter.h"

#include <QLabel>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace
{
// A receiver with a 3D fix and ten satellites in view, eight of them used.
const char* const kGga = "$GPGGA,103902.00,5128.0210,N,00007.5570,W,1,08,0.94,45.3,M,47.0,M,,*7A\r\n";
const char* const kGsa2d = "$GPGSA,A,2,05,07,13,,,,,,,,,,2.10,1.20,1.72*0E\r\n";
const char* const kGsa3d = "$GPGSA,A,3,05,07,13,15,18,21,24,30,,,,,1.62,0.94,1.32*0E\r\n";
const char* const kVtg = "$GPVTG,54.7,T,34.4,M,5.5,N,10.2,K,A*05\r\n";
const char* const kGsv[] = {
    "$GPGSV,3,1,10,05,67,104,44,07,48,291,41,13,23,045,36,15,12,172,30*7A\r\n",
    "$GPGSV,3,2,10,18,35,238,39,21,55,019,43,24,08,133,22,30,72,310,45*7A\r\n",
    "$GPGSV,3,3,10,02,04,350,,26,15,080,18*7A\r\n",
};

class CTestSatVisDlg : public CSatVisDlg
{
public:
    using CSatVisDlg::CSatVisDlg;
    using CSatVisDlg::OnLine;

    CReceiverLink::EStart StartLink() override { return m_start; }

    std::string Field(int nId) const { return GetDlgItemText(nId); }
    bool HasSatellites() const { return m_chart.m_pSky != nullptr; }
    long UsedInCharts() const { return std::ranges::count_if(*m_chart.m_pSky, &SSkySatellite::m_bUsed); }

    CReceiverLink::EStart m_start = CReceiverLink::EStart::kStarted;
};

constexpr int kFieldIds[] = {1002, 1003, 1005, 1006, 1008, 1009, 1010, 1011, 1012, 1013, 1014};

class SatVisDlgTest : public ::testing::Test
{
protected:
    CTempDrives m_drives;
    CScriptedPrompt m_prompt;
};

TEST_F(SatVisDlgTest, FieldsStartEmptyAndShowEachSentencesValues)
{
    CTestSatVisDlg dlg(m_prompt);
    dlg.show();
    EXPECT_EQ(dlg.windowTitle(), "Satellite Visibility - COM Port 00 Baudrate 9600");
    for (int nId : kFieldIds)
        EXPECT_EQ(dlg.Field(nId), "") << nId;
    EXPECT_FALSE(dlg.HasSatellites());
    SaveScreenshot(dlg, "sat_vis_empty");

    for (const char* pszGsv : kGsv)
        dlg.OnLine(pszGsv);
    dlg.OnLine(kGga);
    // Only the angle text, with the default precision of the degrees-and-minutes format.
    EXPECT_EQ(dlg.Field(1002), "51\xB0 28'.0210000N");
    EXPECT_EQ(dlg.Field(1003), "000\xB0 07'.5570000W");
    EXPECT_EQ(dlg.Field(1005), "Height  45.30m");
    EXPECT_EQ(dlg.Field(1006), "HDOP   0.94");
    EXPECT_EQ(dlg.Field(1010), "Sats Used 8");
    EXPECT_EQ(dlg.Field(1012), "3D Fix");

    // The last decoded sentence wins.
    dlg.OnLine(kGsa2d);
    EXPECT_EQ(dlg.Field(1012), "2D Fix");
    EXPECT_EQ(dlg.Field(1006), "HDOP   1.20");
    EXPECT_EQ(dlg.Field(1008), "PDOP   2.10");
    EXPECT_EQ(dlg.Field(1009), "VDOP   1.72");
    EXPECT_EQ(dlg.Field(1010), "Sats Used 3");

    dlg.OnLine(kVtg);
    EXPECT_EQ(dlg.Field(1013), "COG  54.70\xB0");
    EXPECT_EQ(dlg.Field(1014), "SOG   5.50 Knots");

    // A sentence the decoders refuse changes nothing.
    dlg.OnLine("!GPGGA,103902.00,5128.0210,N,00007.5570,W,1,08,0.94,45.3,M,47.0,M,,*7A\r\n");
    dlg.OnLine("!GPGSA,A,3,05,07,13,15,18,21,24,30,,,,,1.62,0.94,1.32*0E\r\n");
    EXPECT_EQ(dlg.Field(1012), "2D Fix");
    EXPECT_EQ(dlg.Field(1002), "51\xB0 28'.0210000N");
}

// Empty fields never show the decoder's markers: a VTG without course or speed keeps the
// last ones, and an empty satellite count shows 0.
TEST_F(SatVisDlgTest, EmptyFieldsKeepTheLastSpeedAndCountAsZero)
{
    CTestSatVisDlg dlg(m_prompt);
    dlg.show();
    dlg.OnLine(kVtg);
    dlg.OnLine("$GPVTG,,,,,,,,,N*30\r\n");
    EXPECT_EQ(dlg.Field(1013), "COG  54.70\xB0");
    EXPECT_EQ(dlg.Field(1014), "SOG   5.50 Knots");

    dlg.OnLine("$GPGGA,103902.00,5128.0210,N,00007.5570,W,1,,0.94,45.3,M,47.0,M,,*7A\r\n");
    EXPECT_EQ(dlg.Field(1010), "Sats Used 0");
    dlg.OnLine("$GPGSV,1,1,,05,67,104,44*7A\r\n");
    EXPECT_EQ(dlg.Field(1011), "Sats Available 0");
}

// A GGA in Trimble's wrapper reads like any GGA; one whose position is no place on Earth
// changes the other fields but not the position.
TEST_F(SatVisDlgTest, WrappedGgaReadsLikeGgaAndAWildPositionIsNone)
{
    CTestSatVisDlg dlg(m_prompt);
    dlg.show();
    dlg.OnLine("$PTNL,GGA,103902.00,5128.0210,N,00007.5570,W,1,08,0.94,45.3,M,47.0,M,,*7A\r\n");
    EXPECT_EQ(dlg.Field(1002), "51\xB0 28'.0210000N");
    EXPECT_EQ(dlg.Field(1003), "000\xB0 07'.5570000W");
    EXPECT_EQ(dlg.Field(1005), "Height  45.30m");
    EXPECT_EQ(dlg.Field(1010), "Sats Used 8");
    for (const char* pszWild : {"$GPGGA,103903.00,4807.E38,N,00007.5570,W,1,07,0.94,46.3,M,47.0,M,,\r\n",
                                "$GPGGA,103903.00,9100.0000,N,00007.5570,W,1,07,0.94,46.3,M,47.0,M,,\r\n",
                                "$GPGGA,103903.00,5128.0210,N,18100.0000,W,1,07,0.94,46.3,M,47.0,M,,\r\n"})
    {
        dlg.OnLine(pszWild);
        EXPECT_EQ(dlg.Field(1002), "51\xB0 28'.0210000N") << pszWild;
        EXPECT_EQ(dlg.Field(1003), "000\xB0 07'.5570000W") << pszWild;
        EXPECT_EQ(dlg.Field(1010), "Sats Used 7") << pszWild;
    }
}

TEST_F(SatVisDlgTest, ChartsTakeTheSatellitesOnlyWhenTheGroupIsComplete)
{
    CTestSatVisDlg dlg(m_prompt);
    dlg.show();
    dlg.OnLine(kGsa3d);
    dlg.OnLine(kGsv[0]);
    dlg.OnLine(kGsv[1]);
    EXPECT_FALSE(dlg.HasSatellites());
    EXPECT_EQ(dlg.Field(1011), "");
    dlg.OnLine(kGsv[2]);
    EXPECT_TRUE(dlg.HasSatellites());
    EXPECT_EQ(dlg.Field(1011), "Sats Available 10");

    // The used flags of a GSA reach the charts by the next complete group.
    const auto sendGroup = [&dlg] {
        for (const char* pszGsv : kGsv)
            dlg.OnLine(pszGsv);
    };
    dlg.OnLine(kGsa3d);
    sendGroup();
    EXPECT_EQ(dlg.UsedInCharts(), 8);
    dlg.OnLine(kGsa2d);
    sendGroup();
    EXPECT_EQ(dlg.UsedInCharts(), 3);

    dlg.OnLine(kGga);
    dlg.OnLine(kGsa3d);
    sendGroup();
    dlg.OnLine(kVtg);
    SaveScreenshot(dlg, "sat_vis");
}

TEST_F(SatVisDlgTest, ExitAndCloseBoxAskTheSameQuestion)
{
    CTestSatVisDlg dlg(m_prompt);
    dlg.show();
    EXPECT_TRUE(StaysOpenWhenClosingIsRefused(dlg, m_prompt));
    dlg.OnLine(kGga);
    EXPECT_EQ(dlg.Field(1012), "3D Fix");

    m_prompt.AnswerNext(true);
    ASSERT_NE(dlg.GetDlgItemAs<QAbstractButton>(kIdOk), nullptr);
    dlg.GetDlgItemAs<QAbstractButton>(kIdOk)->click();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), kIdOk);
    ASSERT_EQ(m_prompt.Shown().size(), 3u);
    for (const auto& shown : m_prompt.Shown())
    {
        EXPECT_EQ(shown.m_strText, "Do you want to close the NMEA Monitor");
        EXPECT_EQ(shown.m_strCaption, "Exit Program");
    }

    CTestSatVisDlg closed(m_prompt);
    closed.show();
    m_prompt.AnswerNext(true);
    closed.close();
    EXPECT_EQ(closed.result(), kIdCancel);
}

TEST_F(SatVisDlgTest, RecordedReceiverFillsEveryFieldAndChart)
{
    const std::filesystem::path recorded =
        std::filesystem::path(ZEP_SOURCE_DIR "/../shared/nmea-logs") / "haicom-305N.nmea";
    if (!std::filesystem::exists(recorded))
        GTEST_SKIP() << "recorded receiver logs not found at " << recorded;
    CTestSatVisDlg dlg(m_prompt);
    dlg.show();
    std::ifstream in(recorded, std::ios::binary);
    for (std::string strLine; std::getline(in, strLine);)
        dlg.OnLine(strLine + "\n");
    for (int nId : kFieldIds)
        EXPECT_NE(dlg.Field(nId), "") << nId;
    EXPECT_TRUE(dlg.HasSatellites());
    SaveScreenshot(dlg, "sat_vis_recorded");
}

TEST_F(SatVisDlgTest, FailedStartEndsTheWindow)
{
    CTestSatVisDlg dlg(m_prompt);
    dlg.m_start = CReceiverLink::EStart::kNoData;
    const CShowCounter shows(dlg);
    EXPECT_EQ(dlg.DoModal(), kIdCancel);
    EXPECT_EQ(shows.Count(), 0);
    EXPECT_EQ(dlg.windowTitle(), "Satellite Visibility - COM Port 00 Baudrate 9600");
}
}  // namespace
