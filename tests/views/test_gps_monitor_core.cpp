// What the GPS sheet does with received lines, page by page, without windows: which lines
// reach which page in which order, the texts of the "GPS Data" fields, the sorted satellite
// table and the repaint after a complete GSV group.
#include "tests/support/comma_locale.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "views/gps_monitor_core.h"

namespace
{

// Records every page call as one text, in order.
class CRecordingPages : public IGpsMonitorPages
{
public:
    void AddSentence(const char* pLine) override
    {
        m_calls.push_back(std::string("list ") + pLine);
    }
    CGpsTextFields& TextFields() override { return m_fields; }
    void TextFieldsChanged() override { m_calls.push_back("text"); }
    void AddScatterPosition(double, double) override { m_calls.push_back("scatter"); }
    void AddGraphPosition(double, double, double dHeight) override
    {
        m_calls.push_back("graph " + std::to_string(static_cast<int>(dHeight)));
    }
    void UpdateDop(double dHdop, double, double, int nUsed, int nInView) override
    {
        char text[64];
        std::snprintf(text, sizeof text, "dop %.1f %d %d", dHdop, nUsed, nInView);
        m_calls.push_back(text);
    }
    void SatellitesChanged() override { m_calls.push_back("satellites"); }

    std::vector<std::string> m_calls;
    CGpsTextFields m_fields;
};

class GpsMonitorCore : public ::testing::Test
{
protected:
    void Feed(const std::string& line) { m_core.HandleLine(line.c_str(), line.size()); }
    const std::string& Field(int nId) const { return m_pages.m_fields.Text(nId); }

    CRecordingPages m_pages;
    CGpsMonitorCore m_core{m_pages};
};

const char* const kGga = "$GPGGA,123519,5128.6380,N,00007.5000,W,1,08,0.9,45.3,M,47.0,M,,*47\r\n";

TEST_F(GpsMonitorCore, GgaUpdatesTextScatterAndGraphInThatOrder)
{
    Feed(kGga);
    const std::vector<std::string> expected = {std::string("list ") + kGga, "text", "scatter",
                                               "graph 45"};
    EXPECT_EQ(m_pages.m_calls, expected);
    EXPECT_EQ(Field(CGpsTextFields::kLatitude), "Lat: 51\xB0 28'.6380N");
    EXPECT_EQ(Field(CGpsTextFields::kLongitude), "Lon: 000\xB0 07'.5000W");
    EXPECT_EQ(Field(CGpsTextFields::kHeight), "Height  45.30m");
    EXPECT_EQ(Field(CGpsTextFields::kSeparation), "Geodetic Separation  47.00m");
    EXPECT_EQ(Field(CGpsTextFields::kSatsUsed), "Sats Used 8");
    EXPECT_EQ(Field(CGpsTextFields::kHdop), "HDOP   0.90");
    EXPECT_EQ(Field(CGpsTextFields::kFix), "3D Fix");
    EXPECT_EQ(m_pages.m_fields.FixColour(), (SRgbColour{0, 255, 0}));
}

TEST_F(GpsMonitorCore, TrimbleWrappedGgaIsShownLikeGga)
{
    Feed(kGga);
    const CGpsTextFields plain = m_pages.m_fields;
    m_pages.m_fields = CGpsTextFields();
    Feed("$PTNL,GGA,123519,5128.6380,N,00007.5000,W,1,08,0.9,45.3,M,47.0,M,,*47\r\n");
    for (int nId : CGpsTextFields::kFieldIds)
        EXPECT_EQ(m_pages.m_fields.Text(nId), plain.Text(nId)) << nId;
}

TEST_F(GpsMonitorCore, AWildPositionLeavesThePositionTexts)
{
    Feed(kGga);
    Feed("$GPGGA,123520,4807.E38,N,00007.5000,W,1,07,0.9,46.3,M,47.0,M,,\r\n");
    EXPECT_EQ(Field(CGpsTextFields::kLatitude), "Lat: 51\xB0 28'.6380N");
    EXPECT_EQ(Field(CGpsTextFields::kLongitude), "Lon: 000\xB0 07'.5000W");
    EXPECT_EQ(Field(CGpsTextFields::kSatsUsed), "Sats Used 7");
}

TEST_F(GpsMonitorCore, OtherTypesReachNoPage)
{
    Feed("$GPZDA,201530.00,04,07,2002,00,00*60\r\n");
    Feed("$HEHDT,274.07,T*03\r\n");
    Feed("$GPTXT,01,01,02,ANTSTATUS=OK*3B\r\n");
    Feed("\r\n");
    Feed("$G");
    EXPECT_TRUE(m_pages.m_calls.empty());
    // RMC and GLL are listed and nothing else.
    Feed("$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A\r\n");
    Feed("$GPGLL,4916.45,N,12311.12,W,225444,A,*1D\r\n");
    ASSERT_EQ(m_pages.m_calls.size(), 2u);
    EXPECT_EQ(m_pages.m_calls[0].rfind("list $GPRMC", 0), 0u);
    EXPECT_EQ(m_pages.m_calls[1].rfind("list $GPGLL", 0), 0u);
}

TEST_F(GpsMonitorCore, GsaFillsDopAndFixThen2DTurnsOrange)
{
    Feed("$GPGSV,1,1,05,03,40,083,46,17,60,140,40,22,10,300,30,09,05,020,20*7F\r\n");
    Feed("$GPGSA,A,3,03,17,22,,,,,,,,,,2.5,1.3,2.1*39\r\n");
    EXPECT_EQ(m_pages.m_calls[m_pages.m_calls.size() - 2], "dop 1.3 3 5");
    EXPECT_EQ(Field(CGpsTextFields::kFix), "3D Fix");
    EXPECT_EQ(m_pages.m_fields.FixState(), 2);
    EXPECT_EQ(Field(CGpsTextFields::kHdop), "HDOP   1.30");
    EXPECT_EQ(Field(CGpsTextFields::kPdop), "PDOP   2.50");
    EXPECT_EQ(Field(CGpsTextFields::kVdop), "VDOP   2.10");
    EXPECT_EQ(Field(CGpsTextFields::kSatsUsed), "Sats Used 3");
    EXPECT_EQ(m_core.m_sky.Used(), 3);
    Feed("$GPGSA,A,2,03,17,22,,,,,,,,,,2.5,1.3,2.1*39\r\n");
    EXPECT_EQ(Field(CGpsTextFields::kFix), "2D Fix");
    EXPECT_EQ(m_pages.m_fields.FixColour(), (SRgbColour{255, 128, 0}));
    // HDOP follows whichever of GGA and GSA came last.
    Feed(kGga);
    EXPECT_EQ(Field(CGpsTextFields::kHdop), "HDOP   0.90");
}

TEST_F(GpsMonitorCore, VtgTextsAndACourseThatIsMissing)
{
    Feed("$GPVTG,45.5,T,,M,1.25,N,2.3,K,A*00\r\n");
    EXPECT_EQ(Field(CGpsTextFields::kCourse), "COG  45.50\xB0");
    EXPECT_EQ(Field(CGpsTextFields::kSpeed), "SOG   1.25 Knots");
    // Both course fields empty: the last known course stays, never an undefined value.
    Feed("$GPVTG,,T,,M,0.10,N,0.2,K,A*00\r\n");
    EXPECT_EQ(Field(CGpsTextFields::kCourse), "COG  45.50\xB0");
    EXPECT_EQ(Field(CGpsTextFields::kSpeed), "SOG   0.10 Knots");
    // A receiver without a fix sends VTG with every field empty: no speed of -1 knots.
    Feed("$GPVTG,,,,,,,,,N*30\r\n");
    EXPECT_EQ(Field(CGpsTextFields::kCourse), "COG  45.50\xB0");
    EXPECT_EQ(Field(CGpsTextFields::kSpeed), "SOG   0.10 Knots");
}

// Empty satellite counts show as 0, never as the decoder's marker for an absent number.
TEST_F(GpsMonitorCore, EmptySatelliteCountsShowZero)
{
    Feed("$GPGGA,135658.997,5543.0326,N,03724.7205,E,0,,,165.6,M,14.6,M,,*7D\r\n");
    EXPECT_EQ(Field(CGpsTextFields::kSatsUsed), "Sats Used 0");
    Feed("$GPGSV,1,1,,03,40,083,46*00\r\n");
    EXPECT_EQ(Field(CGpsTextFields::kSatsAvailable), "Sats Available 0");
    Feed("$GPGSA,A,3,03,,,,,,,,,,,,2.5,1.3,2.1*39\r\n");
    EXPECT_EQ(m_pages.m_calls.back(), "text");
    EXPECT_NE(std::find(m_pages.m_calls.begin(), m_pages.m_calls.end(), "dop 1.3 1 0"),
              m_pages.m_calls.end());
}

TEST_F(GpsMonitorCore, GsvGroupRepaintsOnceAfterItsLastSentence)
{
    Feed("$GPGSV,3,1,09,03,40,083,46,17,60,140,40,22,10,300,30,09,05,020,20*00\r\n");
    Feed("$GPGSV,3,2,09,11,40,083,46,12,60,140,40,14,10,300,30,19,05,020,20*00\r\n");
    EXPECT_EQ(std::count(m_pages.m_calls.begin(), m_pages.m_calls.end(), "satellites"), 0);
    EXPECT_TRUE(m_core.m_sky.View().empty());
    EXPECT_EQ(Field(CGpsTextFields::kSatsAvailable), "");
    Feed("$GPGSV,3,3,09,31,40,083,46*00\r\n");
    EXPECT_EQ(std::count(m_pages.m_calls.begin(), m_pages.m_calls.end(), "satellites"), 1);
    EXPECT_EQ(m_pages.m_calls.back(), "text");
    EXPECT_EQ(Field(CGpsTextFields::kSatsAvailable), "Sats Available 9");
    const std::uint32_t expected[] = {3, 9, 11, 12, 14, 17, 19, 22, 31};
    ASSERT_EQ(m_core.m_sky.View().size(), 9u);
    for (std::size_t i = 0; i < 9; ++i)
        EXPECT_EQ(m_core.m_sky.View()[i].m_nSvid, expected[i]);
}

TEST(GpsTextFields, FieldsStartEmptyAndOddFixStatesShowNothing)
{
    CGpsTextFields fields;
    for (int nId : CGpsTextFields::kFieldIds)
        EXPECT_EQ(fields.Text(nId), "");
    fields.UpdatePosition(0, 0, -12.5, 0, 4, 1.2, 0);
    EXPECT_EQ(fields.Text(CGpsTextFields::kHeight), "Height -12.50m");
    EXPECT_EQ(fields.Text(CGpsTextFields::kFix), "No Fix");
    EXPECT_EQ(fields.FixColour(), (SRgbColour{255, 0, 0}));
    fields.SetFix(1);
    fields.SetFix(3);
    EXPECT_EQ(fields.Text(CGpsTextFields::kFix), "");
    EXPECT_EQ(fields.FixState(), 1);
    fields.SetFix(-1);
    EXPECT_EQ(fields.FixState(), 1);
}

// Qt sets the user's locale at start; the field texts keep the period whatever it is.
TEST(GpsTextFields, NumbersKeepTheirPeriodUnderACommaLocale)
{
    CScopedCommaLocale locale;
    if (!locale.Available())
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    CGpsTextFields fields;
    fields.UpdatePosition(0, 0, 45.2, 47.1, 8, 0.9, 2);
    fields.SetDop(0.9, 1.7, 1.4);
    EXPECT_EQ(fields.Text(CGpsTextFields::kHeight), "Height  45.20m");
    EXPECT_EQ(fields.Text(CGpsTextFields::kPdop), "PDOP   1.70");
}

} // namespace
