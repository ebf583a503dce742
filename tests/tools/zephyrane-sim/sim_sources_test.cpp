#include "nmea/decoders.h"
#include "nmea/sentence.h"
#include "tools/zephyrane-sim/line_pacer.h"
#include "tools/zephyrane-sim/recorded_source.h"
#include "tools/zephyrane-sim/synthetic_receiver.h"

#include <gtest/gtest.h>

#include <numbers>
#include <set>

namespace
{

std::vector<double> DueTimes(CRecordedSource& source, size_t nCount)
{
    std::vector<double> due;
    STimedLine line;
    while (due.size() < nCount && source.Next(0.0, line))
        due.push_back(line.m_dDue);
    return due;
}

TEST(RecordedSource, LinesKeepTheirBytesAndLineEnds)
{
    EXPECT_EQ(CRecordedSource::SplitLines("$A\r\n$B\n\n$C"), (std::vector<std::string>{"$A\r\n", "$B\n", "\n", "$C"}));
    EXPECT_TRUE(CRecordedSource::SplitLines("").empty());
}

TEST(RecordedSource, AnEpochBeginsWithANewTimeOrARepeatedType)
{
    std::vector<std::string> lines = {
        "$GPGGA,120000.00,5128.0,N,00000.0,W,1,08,1.0,45.0,M,46.0,M,,*00\r\n",
        "$GPGSV,1,1,01,05,40,100,40*00\r\n",
        "$GPRMC,120000.00,A,5128.0,N,00000.0,W,0.0,0.0,091226,,,A*00\r\n",
        "$GPGGA,120001.00,5128.0,N,00000.0,W,1,08,1.0,45.0,M,46.0,M,,*00\r\n",
        "$GPGLL,5128.0,N,00000.0,W,120001.00,A,A*00\r\n",
        // No times: a repeated type opens the next epoch.
        "$GPGGA,,,,,,0,00,,,M,,M,,*00\r\n",
        "$GPGGA,,,,,,0,00,,,M,,M,,*00\r\n",
        "$GPTXT,01,01,02,hello*00\r\n",
    };
    EXPECT_EQ(CRecordedSource::Epochs(lines), (std::vector<int>{0, 0, 0, 1, 1, 2, 3, 3}));

    CRecordedSource paced(lines, 0.0, false);
    EXPECT_EQ(DueTimes(paced, 100), (std::vector<double>{0, 0, 0, 1, 1, 2, 3, 3}));
}

// A comment header longer than a second's worth of bytes would hide the receiver from a probe.
TEST(RecordedSource, CommentLinesAreNotSent)
{
    CRecordedSource source({"# gpsd log\n", "#\n", "$GPGGA,1\r\n", " # not a comment\r\n", "$GPGGA,2\r\n"}, 4.0, false);
    std::vector<std::string> sent;
    STimedLine line;
    while (source.Next(0.0, line))
        sent.push_back(line.m_strBytes);
    EXPECT_EQ(sent, (std::vector<std::string>{"$GPGGA,1\r\n", " # not a comment\r\n", "$GPGGA,2\r\n"}));
}

TEST(RecordedSource, AFixedRateAndLoopingGoOnInTime)
{
    std::vector<std::string> lines = {"$GPGGA,1\r\n", "$GPGGA,2\r\n"};
    CRecordedSource once(lines, 4.0, false);
    EXPECT_EQ(DueTimes(once, 100), (std::vector<double>{0.0, 0.25}));

    CRecordedSource looped(lines, 4.0, true);
    EXPECT_EQ(DueTimes(looped, 5), (std::vector<double>{0.0, 0.25, 0.5, 0.75, 1.0}));

    CRecordedSource loopedEpochs(lines, 0.0, true);
    EXPECT_EQ(DueTimes(loopedEpochs, 4), (std::vector<double>{0.0, 1.0, 2.0, 3.0}));

    CRecordedSource empty({}, 0.0, true);
    EXPECT_TRUE(DueTimes(empty, 3).empty());
}

TEST(LineNoise, HoldsNoTextAReaderCouldTakeForNmea)
{
    std::mt19937 random(1);
    std::string strNoise = LineNoise(5000, random);
    EXPECT_EQ(strNoise.size(), 5000u);
    EXPECT_EQ(strNoise.find_first_of("$!\n\r"), std::string::npos);
}

// An hour of the synthesised receiver: every sentence verifies and decodes, every epoch
// holds the six types with a complete GSV group, and 8 to 12 satellites are in view.
TEST(SyntheticReceiver, ReportsAPlausibleReceiverEverySecond)
{
    CSyntheticReceiver receiver({2026, 12, 9, 23, 59, 50, 0}, 7);
    std::set<int> prnsSeen;
    for (int nSecond = 0; nSecond < 3600; nSecond += 7)
    {
        std::vector<std::string> lines = receiver.Epoch(nSecond);
        const std::vector<SSimSatellite>& sats = receiver.Satellites();
        ASSERT_GE(sats.size(), 8u);
        ASSERT_LE(sats.size(), 12u);
        size_t nGsv = (sats.size() + 3) / 4;
        ASSERT_EQ(lines.size(), 5 + nGsv);

        std::vector<std::string> types;
        for (const std::string& strLine : lines)
        {
            ASSERT_TRUE(LineChecksumOk(strLine)) << strLine;
            ASSERT_TRUE(strLine.ends_with("\r\n"));
            types.emplace_back(SentenceType(strLine));
        }
        std::vector<std::string> expected = {"GGA", "GSA"};
        expected.insert(expected.end(), nGsv, "GSV");
        expected.insert(expected.end(), {"RMC", "GLL", "VTG"});
        EXPECT_EQ(types, expected);

        double dLatitude = 0.0, dLongitude = 0.0;
        std::int32_t nUsed = 0;
        ASSERT_TRUE(DecodeGGA(lines[0], &dLatitude, &dLongitude, nullptr, nullptr, nullptr, &nUsed, nullptr));
        EXPECT_NEAR(dLatitude * 180.0 / std::numbers::pi, 51.4778, 0.001);
        EXPECT_NEAR(dLongitude * 180.0 / std::numbers::pi, -0.0015, 0.001);
        EXPECT_LE(nUsed, static_cast<std::int32_t>(sats.size()));
        SSatTable table{};
        std::int32_t nInView = 0;
        bool bLast = false;
        for (size_t n = 0; n < nGsv; ++n)
            ASSERT_TRUE(DecodeGSV(lines[2 + n], &table, &nInView, &bLast));
        EXPECT_TRUE(bLast);
        EXPECT_EQ(nInView, static_cast<std::int32_t>(sats.size()));
        for (const SSimSatellite& sat : sats)
        {
            EXPECT_GE(sat.m_dElevation, 0.0);
            EXPECT_LE(sat.m_dElevation, 90.0);
            prnsSeen.insert(sat.m_nPrn);
        }
    }
    // Satellites set and others rise over an hour.
    EXPECT_GT(prnsSeen.size(), 12u);
    // Midnight passes into the next day.
    std::vector<std::string> lines = receiver.Epoch(10);
    EXPECT_NE(lines[lines.size() - 3].find(",000000.00,"), std::string::npos);
    EXPECT_NE(lines[lines.size() - 3].find(",101226,"), std::string::npos);
}

} // namespace
