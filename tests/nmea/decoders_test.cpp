#include "nmea/decoders.h"

#include <gtest/gtest.h>

#include <string>

#include "nmea/nmea_angle.h"
#include "nmea/sentinels.h"

namespace {

double Radians(double dDegrees, double dMinutes)
{
    return (dDegrees + dMinutes / 60.0) * kNmeaDegToRad;
}

struct SGga
{
    double m_dLat = -1, m_dLon = -1, m_dHeight = -1, m_dSeparation = -1, m_dHdop = -1;
    std::int32_t m_nFix = -1, m_nSats = -1;

    bool Decode(std::string_view sentence)
    {
        return DecodeGGA(sentence, &m_dLat, &m_dLon, &m_dHeight, &m_dSeparation, &m_nFix, &m_nSats, &m_dHdop);
    }
};

TEST(DecodeGgaTest, FullSentence)
{
    SGga gga;
    ASSERT_TRUE(gga.Decode("$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n"));
    EXPECT_DOUBLE_EQ(gga.m_dLat, Radians(48, 7.038));
    EXPECT_DOUBLE_EQ(gga.m_dLon, Radians(11, 31));
    EXPECT_EQ(gga.m_nFix, 2);
    EXPECT_EQ(gga.m_nSats, 8);
    EXPECT_DOUBLE_EQ(gga.m_dHdop, 0.9);
    EXPECT_DOUBLE_EQ(gga.m_dHeight, 545.4);
    EXPECT_DOUBLE_EQ(gga.m_dSeparation, 46.9);
}

TEST(DecodeGgaTest, NullPointersSkipFieldsAndFoldTheSeparation)
{
    double dHeight = 0;
    std::int32_t nSats = 0;
    ASSERT_TRUE(DecodeGGA("$GNGGA,123519,4807.038,S,01131.000,W,1,08,0.9,545.4,M,46.9,M,,*47\r\n",
                          nullptr, nullptr, &dHeight, nullptr, nullptr, &nSats, nullptr));
    EXPECT_DOUBLE_EQ(dHeight, 592.3);
    EXPECT_EQ(nSats, 8);

    double dLat = 0;
    ASSERT_TRUE(DecodeGGA("$GPGGA,1,4807.038,S,01131.000,W,1,08,0.9,545.4,M,46.9,M,,\r\n",
                          &dLat, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr));
    EXPECT_DOUBLE_EQ(dLat, -Radians(48, 7.038));
}

TEST(DecodeGgaTest, EmptyFieldsBeforeAFix)
{
    SGga gga;
    ASSERT_TRUE(gga.Decode("$GPGGA,000012.00,,,,,0,00,99.99,,,,,,*64\r\n"));
    EXPECT_EQ(gga.m_dLat, 0.0);
    EXPECT_EQ(gga.m_dLon, 0.0);
    EXPECT_EQ(gga.m_nFix, 0);
    EXPECT_EQ(gga.m_nSats, 0);
    EXPECT_DOUBLE_EQ(gga.m_dHdop, 99.99);
    EXPECT_EQ(gga.m_dHeight, 0.0);
    EXPECT_EQ(gga.m_dSeparation, 0.0);

    ASSERT_TRUE(gga.Decode("$GPGGA,,,,,,,,,,,,,,\n"));
    EXPECT_EQ(gga.m_nFix, 2);  // an empty quality field counts as a fix
    EXPECT_EQ(gga.m_nSats, kNmeaAbsentInt);
    EXPECT_EQ(gga.m_dHdop, 0.0);
}

TEST(DecodeGgaTest, TrimbleWrapperReadsOnePlaceLater)
{
    SGga gga;
    ASSERT_TRUE(gga.Decode("$PTNL,GGA,4807.038,N,01131.000,E,1,08\r\n"));
    EXPECT_DOUBLE_EQ(gga.m_dLat, Radians(48, 7.038));
    EXPECT_DOUBLE_EQ(gga.m_dLon, Radians(11, 31));
}

TEST(DecodersTest, OtherSentencesAreNotDecoded)
{
    SSatTable table{};
    double dCourse = 1;
    SGga gga;
    EXPECT_FALSE(gga.Decode("!GPGGA,123519,4807.038,N,01131.000,E,1,08\r\n"));
    EXPECT_FALSE(gga.Decode("$GPRMC,123519,A,4807.038,N\r\n"));
    EXPECT_FALSE(gga.Decode("$GP"));
    EXPECT_FALSE(DecodeGSA("$GPGGA,A,3\r\n", nullptr, nullptr, &table, nullptr, nullptr, nullptr));
    EXPECT_FALSE(DecodeGSA("$GPGSA,A,3\r\n", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr));
    EXPECT_FALSE(DecodeGSV("$GPGSV,1,1,00\r\n", nullptr, nullptr, nullptr));
    EXPECT_FALSE(DecodeVTG("!GPVTG,1,T\r\n", &dCourse, nullptr));
    EXPECT_EQ(dCourse, 1.0);
}

TEST(NmeaAngleTest, DroppedLeadingZerosShortTextsAndHemispheres)
{
    EXPECT_DOUBLE_EQ(NmeaAngleToRadians("807.038", "S", AngleKind::Latitude), -Radians(8, 7.038));
    EXPECT_DOUBLE_EQ(NmeaAngleToRadians("512.34", "N", AngleKind::Latitude), Radians(5, 12.34));
    EXPECT_DOUBLE_EQ(NmeaAngleToRadians("1234.5", "W", AngleKind::Longitude), -Radians(12, 34.5));
    EXPECT_DOUBLE_EQ(NmeaAngleToRadians("01131.000", "", AngleKind::Longitude), Radians(11, 31));
    EXPECT_DOUBLE_EQ(NmeaAngleToRadians("4807.038", "s", AngleKind::Latitude), Radians(48, 7.038));
    EXPECT_EQ(NmeaAngleToRadians("48", "N", AngleKind::Latitude), 0.0);
    EXPECT_EQ(NmeaAngleToRadians("1131", "E", AngleKind::Longitude), 0.0);
    EXPECT_EQ(NmeaAngleToRadians("", "", AngleKind::Latitude), 0.0);
    // Minutes too large for a double are no angle either.
    EXPECT_EQ(NmeaAngleToRadians("4807e999", "N", AngleKind::Latitude), 0.0);
}

// A table holding the given PRNs in its first entries.
SSatTable TableOf(std::initializer_list<std::uint32_t> prns)
{
    SSatTable table{};
    std::size_t i = 0;
    for (const std::uint32_t nPrn : prns)
        table[i++].m_nPrn = nPrn;
    return table;
}

TEST(DecodeGsaTest, MarksListedSatellitesUsed)
{
    SSatTable table = TableOf({4, 5, 9, 12});
    table[3].m_bUsed = true;  // from an earlier GSA
    std::int32_t nFix = -1, nUsed = -1;
    double dHdop = -1, dPdop = -1, dVdop = -1;
    ASSERT_TRUE(DecodeGSA("$GPGSA,A,3,04,05,,09,,,,,,,,,2.5,1.3,2.1*39\r\n",
                          &nFix, &nUsed, &table, &dHdop, &dPdop, &dVdop));
    EXPECT_EQ(nFix, 2);
    EXPECT_EQ(nUsed, 3);
    EXPECT_TRUE(table[0].m_bUsed && table[1].m_bUsed && table[2].m_bUsed);
    EXPECT_FALSE(table[3].m_bUsed);
    EXPECT_DOUBLE_EQ(dPdop, 2.5);
    EXPECT_DOUBLE_EQ(dHdop, 1.3);
    EXPECT_DOUBLE_EQ(dVdop, 2.1);
}

TEST(DecodeGsaTest, FixTypesAndMissingValues)
{
    SSatTable table{};
    std::int32_t nFix = -1, nUsed = -1;
    double dHdop = -1;
    const std::pair<const char*, std::int32_t> cases[] = {
        {"$GNGSA,A,1,,,,,,,,,,,,,,,\r\n", 0},
        {"$GNGSA,A,2,,,,,,,,,,,,,,,\r\n", 1},
        {"$GNGSA,A,3,,,,,,,,,,,,,,,\r\n", 2},
        {"$GNGSA,A,,,,,,,,,,,,,,,,\r\n", 0},
    };
    for (const auto& [text, nExpected] : cases) {
        ASSERT_TRUE(DecodeGSA(text, &nFix, &nUsed, &table, &dHdop, nullptr, nullptr));
        EXPECT_EQ(nFix, nExpected) << text;
        EXPECT_EQ(nUsed, 0);
        EXPECT_EQ(dHdop, 0.0);
    }
}

// Receivers that append a system identifier after VDOP: neither the identifier is taken for
// a satellite nor are the DOP values shifted by one field.
TEST(DecodeGsaTest, SystemIdentifierAfterTheDopValuesIsIgnored)
{
    SSatTable table = TableOf({1, 4, 5});
    std::int32_t nUsed = -1;
    double dHdop = -1, dPdop = -1, dVdop = -1;
    ASSERT_TRUE(DecodeGSA("$GNGSA,A,3,04,,,,,,,,,,,,2.5,1.3,2.1,1*3B\r\n",
                          nullptr, &nUsed, &table, &dHdop, &dPdop, &dVdop));
    EXPECT_EQ(nUsed, 1);
    EXPECT_TRUE(table[1].m_bUsed);
    EXPECT_FALSE(table[0].m_bUsed);
    EXPECT_DOUBLE_EQ(dPdop, 2.5);
    EXPECT_DOUBLE_EQ(dHdop, 1.3);
    EXPECT_DOUBLE_EQ(dVdop, 2.1);

    // A short satellite list without identifier still ends in the three DOP values.
    ASSERT_TRUE(DecodeGSA("$GPGSA,A,3,04,05,2.5,1.3,2.1\r\n", nullptr, &nUsed, &table, &dHdop, &dPdop, &dVdop));
    EXPECT_EQ(nUsed, 2);
    EXPECT_DOUBLE_EQ(dPdop, 2.5);
    EXPECT_DOUBLE_EQ(dVdop, 2.1);
}

TEST(DecodeGsvTest, GroupFillsTheTableAndClearsTheRest)
{
    SSatTable table{};
    for (std::size_t i = 0; i < kSatTableSize; ++i)
        table[i] = {static_cast<std::uint32_t>(i + 40), 45, 180, 30, false};
    std::int32_t nInView = -1;
    bool bLast = true;

    ASSERT_TRUE(DecodeGSV("$GPGSV,3,1,10,23,38,230,44,29,71,156,47,07,29,116,41,08,09,081,36*7F\r\n",
                          &table, &nInView, &bLast));
    EXPECT_EQ(nInView, 10);
    EXPECT_FALSE(bLast);
    EXPECT_EQ(table[0], (SSatInfo{23, 38, 230, 44, false}));
    EXPECT_EQ(table[3], (SSatInfo{8, 9, 81, 36, false}));
    EXPECT_EQ(table[9], (SSatInfo{49, 45, 180, 30, false}));  // still in view: untouched
    EXPECT_EQ(table[10], (SSatInfo{50, 0, 0, 0, false}));     // beyond: position cleared

    ASSERT_TRUE(DecodeGSV("$GPGSV,3,2,10,10,12,300,,16,95,45,38,18,3,12,,26,8,350,29\r\n",
                          &table, &nInView, &bLast));
    EXPECT_EQ(table[4], (SSatInfo{10, 12, 300, 0, false}));  // empty SNR
    EXPECT_EQ(table[5], (SSatInfo{16, 0, 45, 38, false}));   // elevation 95 out of range

    ASSERT_TRUE(DecodeGSV("$GPGSV,3,3,10,27,05,361,101,31,-4,20,10*7A\r\n", &table, &nInView, &bLast));
    EXPECT_TRUE(bLast);
    EXPECT_EQ(table[8], (SSatInfo{27, 5, 0, 0, false}));
    EXPECT_EQ(table[9], (SSatInfo{31, 0, 20, 10, false}));
    EXPECT_EQ(table[10], SSatInfo{});
    EXPECT_EQ(table[11], SSatInfo{});
}

TEST(DecodeGsvTest, MessageNumbersOutsideTheTableLeaveItAlone)
{
    SSatTable table = TableOf({1, 2, 3});
    const SSatTable before = table;
    std::int32_t nInView = -1;
    bool bLast = false;
    ASSERT_TRUE(DecodeGSV("$GPGSV,7,7,28,1,2,3,4\r\n", &table, &nInView, &bLast));
    ASSERT_TRUE(DecodeGSV("$GPGSV,1,0,2,1,2,3,4\r\n", &table, &nInView, &bLast));
    ASSERT_TRUE(DecodeGSV("$GPGSV,,,,\r\n", &table, &nInView, &bLast));
    EXPECT_EQ(table, before);
    EXPECT_EQ(nInView, kNmeaAbsentInt);
    EXPECT_TRUE(bLast);  // two empty counts are equal
}

TEST(DecodeGsvTest, PrnOfHundredOrMoreEmptiesTheSlot)
{
    SSatTable table = TableOf({1, 2, 3, 4});
    ASSERT_TRUE(DecodeGSV("$GLGSV,1,1,04,100,10,10,10,65,20,20,20,,30,30,30,-1,40,40,40\r\n",
                          &table, nullptr, nullptr));
    EXPECT_EQ(table[0], SSatInfo{});
    EXPECT_EQ(table[1], (SSatInfo{65, 20, 20, 20, false}));
    EXPECT_EQ(table[2], SSatInfo{});
    EXPECT_EQ(table[3], SSatInfo{});
}

// Receivers that end a GSV sentence with a signal identifier: it is not read as the PRN of
// a further satellite.
TEST(DecodeGsvTest, SignalIdentifierAfterTheSatellitesIsIgnored)
{
    SSatTable table = TableOf({1, 2, 3, 4, 5, 6, 7, 8});
    ASSERT_TRUE(DecodeGSV("$GAGSV,2,2,07,27,18,333,,30,16,279,,05,11,185,41,7\r\n", &table, nullptr, nullptr));
    EXPECT_EQ(table[4], (SSatInfo{27, 18, 333, 0, false}));
    EXPECT_EQ(table[6], (SSatInfo{5, 11, 185, 41, false}));
    EXPECT_EQ(table[7], SSatInfo{});

    ASSERT_TRUE(DecodeGSV("$GLGSV,3,3,10,87,14,030,17,88,62,024,,1\r\n", &table, nullptr, nullptr));
    EXPECT_EQ(table[9], (SSatInfo{88, 62, 24, 0, false}));
    EXPECT_EQ(table[10], SSatInfo{});
    EXPECT_EQ(table[11], SSatInfo{});

    // Four satellites and the identifier: the identifier is simply left over.
    ASSERT_TRUE(DecodeGSV("$GPGSV,1,1,01,36,19,156,51,,,,,,,,,,,,,1\r\n", &table, nullptr, nullptr));
    EXPECT_EQ(table[0], (SSatInfo{36, 19, 156, 51, false}));
    EXPECT_EQ(table[1], SSatInfo{});
}

TEST(DecodeVtgTest, TrueThenMagneticCourseAndSpeed)
{
    double dCourse = -5, dSpeed = -5;
    ASSERT_TRUE(DecodeVTG("$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K*48\r\n", &dCourse, &dSpeed));
    EXPECT_DOUBLE_EQ(dCourse, 54.7);
    EXPECT_DOUBLE_EQ(dSpeed, 5.5);

    ASSERT_TRUE(DecodeVTG("$GPVTG,,T,034.4,M,,N,,K\r\n", &dCourse, &dSpeed));
    EXPECT_DOUBLE_EQ(dCourse, 34.4);
    EXPECT_EQ(dSpeed, -1.0);

    ASSERT_TRUE(DecodeVTG("$GNVTG,,T,,M,0.02,N,0.04,K,A*3D\r\n", &dCourse, &dSpeed));
    EXPECT_DOUBLE_EQ(dCourse, 34.4);  // both empty: unchanged
    EXPECT_DOUBLE_EQ(dSpeed, 0.02);
}

// A number too large for a double is absent like an empty field, whatever its sign.
TEST(DecodersTest, NumbersThatDoNotFitAreAbsent)
{
    double dCourse = 12.5, dSpeed = -5;
    ASSERT_TRUE(DecodeVTG("$GPVTG,1.8e308,T,,M,1e999,N,,K\r\n", &dCourse, &dSpeed));
    EXPECT_EQ(dCourse, 12.5);
    EXPECT_EQ(dSpeed, -1.0);
    ASSERT_TRUE(DecodeVTG("$GPVTG,-1e999,T,34.4,M,-1e400,N,,K\r\n", &dCourse, &dSpeed));
    EXPECT_EQ(dCourse, 34.4);
    EXPECT_EQ(dSpeed, -1.0);

    SGga gga;
    ASSERT_TRUE(gga.Decode("$GPGGA,1,4807e999,N,01131.000,E,1,99999999999,-1e999,-1e999,M,1e999,M,,\r\n"));
    EXPECT_EQ(gga.m_dLat, 0.0);
    EXPECT_EQ(gga.m_nSats, kNmeaAbsentInt);
    EXPECT_EQ(gga.m_dHdop, 0.0);
    EXPECT_EQ(gga.m_dHeight, 0.0);
    EXPECT_EQ(gga.m_dSeparation, 0.0);

    SSatTable table{};
    std::int32_t nUsed = 0;
    double dHdop = -1, dPdop = -1, dVdop = -1;
    ASSERT_TRUE(DecodeGSA("$GPGSA,A,3,05,,,,,,,,,,,,1e999,-1e999,2.5\r\n", nullptr, &nUsed, &table, &dHdop, &dPdop, &dVdop));
    EXPECT_EQ(dHdop, 0.0);
    EXPECT_EQ(dPdop, 0.0);
    EXPECT_EQ(dVdop, 2.5);
}

}  // namespace
