#include "nmea/sky_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "nmea/decoders.h"
#include "nmea/sentence.h"
#include "tests/support/file_text.h"

namespace {

using enum ESatSystem;

// Feeds the lines with their checksums and line ends, as a receiver sends them.
void Feed(CSkyModel& model, const std::vector<std::string>& lines)
{
    for (const std::string& body : lines) {
        char suffix[8];
        std::snprintf(suffix, sizeof suffix, "*%02X\r\n", NmeaChecksum(body));
        model.Feed(body + suffix);
    }
}

struct SId
{
    ESatSystem m_system;
    unsigned m_nSvid;
    bool m_bUsed = false;
    bool operator==(const SId&) const = default;
};

std::vector<SId> Ids(const CSkyModel& model)
{
    std::vector<SId> ids;
    for (const SSkySatellite& sat : model.View())
        ids.push_back({sat.m_system, sat.m_nSvid, sat.m_bUsed});
    return ids;
}

struct SNumberingCase
{
    const char* pszName;
    std::vector<std::string> lines;
    std::vector<SId> expected;
};

class SkyNumbering : public ::testing::TestWithParam<SNumberingCase>
{
};

TEST_P(SkyNumbering, SystemsAndNumbersAsGpsdNumbersThem)
{
    CSkyModel model;
    Feed(model, GetParam().lines);
    EXPECT_EQ(Ids(model), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Talkers, SkyNumbering,
    ::testing::Values(
        // GP and GN: the number's range tells the system.
        SNumberingCase{"RangesOfTheSharedNumbering",
                       {"$GPGSV,3,1,9,05,10,10,30,40,10,10,30,70,10,10,30,130,10,10,30",
                        "$GPGSV,3,2,9,195,10,10,30,201,10,10,30,305,10,10,30,410,10,10,30",
                        "$GPGSV,3,3,9,500,10,10,30"},
                       {{kGps, 5}, {kSbas, 127}, {kSbas, 130}, {kGalileo, 5}, {kBeiDou, 1},
                        {kBeiDou, 10}, {kQzss, 3}, {kGlonass, 6}}},
        SNumberingCase{"TalkersNameTheirSystems",
                       {"$GLGSV,1,1,2,65,10,10,30,96,10,10,30", "$GAGSV,1,1,1,05,10,10,30",
                        "$GBGSV,1,1,1,07,10,10,30", "$BDGSV,1,1,1,208,10,10,30",
                        "$GQGSV,1,1,1,193,10,10,30", "$GIGSV,1,1,1,03,10,10,30"},
                       {{kGalileo, 5}, {kBeiDou, 7}, {kBeiDou, 8}, {kQzss, 1}, {kGlonass, 1},
                        {kGlonass, 32}, {kNavIc, 3}}},
        // Quectel's $PQGSV ends with the signal and the system identifier (4: BeiDou).
        SNumberingCase{"SystemIdentifierAfterTheSignal",
                       {"$PQGSV,1,1,2,04,,,32,12,46,282,30,0,4"},
                       {{kBeiDou, 4}, {kBeiDou, 12}}},
        SNumberingCase{"EmptyZeroAndUnknownNumbersAreNoSatellites",
                       {"$GPGSV,1,1,4,,10,10,30,00,10,10,30,99,10,10,30,07,10,10"},
                       {{kGps, 7}}}),
    [](const auto& info) { return std::string(info.param.pszName); });

TEST(SkyModel, EachSystemKeepsItsGroupAndTheStrongerOfTwoSignals)
{
    CSkyModel model;
    Feed(model, {"$GPGSV,1,1,2,10,24,284,33,13,37,124,30,1", "$GPGSV,1,1,2,10,24,284,18,13,37,124,,6",
                 "$GLGSV,1,1,1,66,58,305,33,1", "$GAGSV,1,1,1,12,62,237,35,7"});
    ASSERT_EQ(model.View().size(), 4u);
    EXPECT_EQ(model.View()[0], (SSkySatellite{kGps, 10, 24, 284, 33, false}));
    EXPECT_EQ(model.View()[1].m_nSnr, 30);
    EXPECT_EQ(model.View()[2].m_system, kGalileo);
    EXPECT_EQ(model.View()[3].m_system, kGlonass);
    // Two signals of GPS count once.
    EXPECT_EQ(model.InView(), 4);
    // A new GPS group replaces GPS only.
    Feed(model, {"$GPGSV,1,1,1,15,63,083,13,1", "$GPGSV,1,1,1,15,63,083,,6"});
    EXPECT_EQ(Ids(model), (std::vector<SId>{{kGps, 15}, {kGalileo, 12}, {kGlonass, 2}}));
}

TEST(SkyModel, EmptyAndOutOfRangeValuesAreAbsent)
{
    CSkyModel model;
    Feed(model, {"$GPGSV,1,1,2,03,95,,101,04,-1,361,"});
    EXPECT_EQ(model.View()[0], (SSkySatellite{kGps, 3, kSkyAbsent, kSkyAbsent, kSkyAbsent, false}));
    EXPECT_EQ(model.View()[1], (SSkySatellite{kGps, 4, kSkyAbsent, kSkyAbsent, kSkyAbsent, false}));
    // Counts in view too large for a number are kept small enough to add up (found by fuzzing).
    Feed(model, {"$GPGSV,1,1,99999999999,03,10,10,30", "$GLGSV,1,1,99999999999,65,10,10,30"});
    EXPECT_EQ(model.InView(), 2 * 999);
}

TEST(SkyModel, AGroupWithAMissingMessageIsDropped)
{
    CSkyModel model;
    Feed(model, {"$GPGSV,2,1,5,01,10,10,30,02,10,10,30,03,10,10,30,04,10,10,30",
                 "$GPGSV,2,2,5,05,10,10,30"});
    Feed(model, {"$GPGSV,2,1,5,06,10,10,30,07,10,10,30,08,10,10,30,09,10,10,30"});
    Feed(model, {"$GPGSV,3,3,5,10,10,10,30"});
    EXPECT_EQ(model.View().size(), 5u);
    EXPECT_EQ(model.View()[0].m_nSvid, 1u);
}

TEST(SkyModel, HoldsMoreThanSeventyTwoSatellites)
{
    CSkyModel model;
    std::vector<std::string> lines;
    for (const char* pszTalker : {"GP", "GL", "GA", "GB"}) {
        for (int k = 1; k <= 5; ++k) {
            std::string line = std::string("$") + pszTalker + "GSV,5,";
            line += std::to_string(k) + ",20";
            for (int i = 0; i < 4; ++i)
                line += "," + std::to_string((k - 1) * 4 + i + 1) + ",45,180,40";
            lines.push_back(line);
        }
    }
    Feed(model, lines);
    EXPECT_EQ(model.View().size(), 80u);
    EXPECT_EQ(model.InView(), 80);
}

struct SUsedCase
{
    const char* pszName;
    std::vector<std::string> lines;
    std::vector<SId> expected;
    int nUsed;
};

class SkyUsedFlags : public ::testing::TestWithParam<SUsedCase>
{
};

TEST_P(SkyUsedFlags, BelongToTheSatellitesOfTheSystemsTheGsaTells)
{
    CSkyModel model;
    Feed(model, GetParam().lines);
    EXPECT_EQ(Ids(model), GetParam().expected);
    EXPECT_EQ(model.Used(), GetParam().nUsed);
}

const std::vector<std::string> kTwoSystems = {"$GPGSV,1,1,2,05,10,10,30,07,10,10,30",
                                              "$GLGSV,1,1,2,65,10,10,30,70,10,10,30"};

std::vector<std::string> With(std::vector<std::string> lines, const std::vector<std::string>& more)
{
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

INSTANTIATE_TEST_SUITE_P(
    Gsa, SkyUsedFlags,
    ::testing::Values(
        // NMEA 4.10: one GSA per system, each naming its system after the DOP values.
        SUsedCase{"SystemIdentifiersKeepTheOtherSystems",
                  With({"$GNGSA,A,3,07,,,,,,,,,,,,1.2,0.9,0.9,1", "$GNGSA,A,3,65,,,,,,,,,,,,1.2,0.9,0.9,2"},
                       kTwoSystems),
                  {{kGps, 5}, {kGps, 7, true}, {kGlonass, 1, true}, {kGlonass, 6}},
                  2},
        // One GN GSA per system without identifiers, sent one after the other.
        SUsedCase{"ARunOfGsaSentencesTellsEachSystem",
                  With({"$GNGSA,A,3,05,07,,,,,,,,,,,1.2,0.9,0.9", "$GNGSA,A,3,70,,,,,,,,,,,,1.2,0.9,0.9"}, kTwoSystems),
                  {{kGps, 5, true}, {kGps, 7, true}, {kGlonass, 1}, {kGlonass, 6, true}},
                  3},
        SUsedCase{"ANewRunStartsAfresh",
                  With(With(kTwoSystems, {"$GNGSA,A,3,05,,,,,,,,,,,,1.2,0.9,0.9", "$GNGSA,A,3,70,,,,,,,,,,,,1.2,0.9,0.9"}),
                       With({"$GPGGA,1"}, With({"$GNGSA,A,3,07,,,,,,,,,,,,1.2,0.9,0.9"}, kTwoSystems))),
                  {{kGps, 5}, {kGps, 7, true}, {kGlonass, 1}, {kGlonass, 6}},
                  1},
        // A GPS-only receiver: a satellite's flag stays with it when the GSV order changes.
        SUsedCase{"FlagsFollowTheSatelliteNotItsPlace",
                  {"$GPGSV,1,1,3,05,10,10,30,07,10,10,30,09,10,10,30", "$GPGSA,A,3,07,09,,,,,,,,,,,1.2,0.9,0.9",
                   "$GPGSV,1,1,3,09,10,10,30,05,10,10,30,07,10,10,30"},
                  {{kGps, 5}, {kGps, 7, true}, {kGps, 9, true}},
                  2},
        // A talker's own GSA names its system; no fix means nothing is used anywhere.
        SUsedCase{"NoFixClearsEverySystem",
                  With({"$GLGSA,A,3,65,,,,,,,,,,,,1.2,0.9,0.9", "$GPGGA,1", "$GPGSA,A,3,05,,,,,,,,,,,,1.2,0.9,0.9",
                        "$GPGGA,1", "$GPGSA,A,1,,,,,,,,,,,,,,,"},
                       kTwoSystems),
                  {{kGps, 5}, {kGps, 7}, {kGlonass, 1}, {kGlonass, 6}},
                  0}),
    [](const auto& info) { return std::string(info.param.pszName); });

TEST(SkyModel, ASourceThatStopsReportingLeavesAfterTwoCyclesOfTheOthers)
{
    CSkyModel model;
    Feed(model, kTwoSystems);
    const std::vector<std::string> gps = {"$GPGSV,1,1,1,05,10,10,30"};
    Feed(model, gps);
    Feed(model, gps);
    EXPECT_EQ(model.View().size(), 3u);
    Feed(model, gps);
    EXPECT_EQ(Ids(model), (std::vector<SId>{{kGps, 5}}));
    EXPECT_EQ(model.InView(), 1);
}

// GPS receivers: at every complete GSV group the model holds the GPS satellites of the
// 24-entry table as the decoders fill it, with the same values (SBAS apart: the table drops
// the numbers 120-158 some of these receivers send); the table's only
// extra records are the empty places of an earlier, larger group, and it also takes the
// end of a group whose start the log lacks.
TEST(SkyModel, GpsReceiversHoldWhatTheSatelliteTableHolds)
{
    const std::filesystem::path logs = ZEP_SOURCE_DIR "/../shared/nmea-logs";
    if (!std::filesystem::is_directory(logs))
        GTEST_SKIP() << "no recorded logs at " << logs;
    int nGroups = 0;
    int nIncomplete = 0;
    for (const char* pszLog : {"GPSmap-76S", "bu353s4", "garmin15x", "garmin25lp", "haicom-305N",
                               "holux-gm-210", "venus634lp", "eXplorist210", "mt3339", "pharos-360"}) {
        CSkyModel model;
        SSatTable table{};
        for (const std::string& line : SplitLines(ReadFileBytes(logs / (std::string(pszLog) + ".nmea")))) {
            const ESkyChange change = model.Feed(line);
            bool bLast = false;
            std::int32_t nInView = 0;
            if (!DecodeGSV(line, &table, &nInView, &bLast) || !bLast)
                continue;
            // A group the log starts in the middle of is not complete for the model.
            if (change != ESkyChange::kView) {
                ++nIncomplete;
                continue;
            }
            std::vector<SSatInfo> expected;
            for (const SSatInfo& sat : table) {
                const bool bEmptyPlace = sat.m_nElevation == 0 && sat.m_nAzimuth == 0 && sat.m_nSnr == 0;
                if (sat.m_nPrn != 0 && sat.m_nPrn <= 32 && !bEmptyPlace)
                    expected.push_back({sat.m_nPrn, sat.m_nElevation, sat.m_nAzimuth, sat.m_nSnr, false});
            }
            std::ranges::sort(expected, {}, &SSatInfo::m_nPrn);
            // Empty values are 0 in the table.
            const auto Value = [](std::int16_t n) { return n == kSkyAbsent ? 0u : static_cast<std::uint32_t>(n); };
            std::vector<SSatInfo> actual;
            for (const SSkySatellite& sat : model.View()) {
                const SSatInfo info{sat.m_nSvid, Value(sat.m_nElevation), Value(sat.m_nAzimuth), Value(sat.m_nSnr), false};
                if (sat.m_system == kGps && (info.m_nElevation != 0 || info.m_nAzimuth != 0 || info.m_nSnr != 0))
                    actual.push_back(info);
            }
            ASSERT_EQ(actual, expected) << pszLog << ": " << line;
            ++nGroups;
        }
    }
    EXPECT_GT(nGroups, 80);
    EXPECT_LE(nIncomplete, 10);
}

}  // namespace
