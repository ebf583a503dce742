// Runs nmea-decode as a process on files, as users and scripts do.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "tests/tools/nmea-decode/json_check.h"
#include "tests/support/file_text.h"

namespace {

namespace fs = std::filesystem;

struct SRun
{
    int m_nStatus = -1;
    std::string m_strOut;
    std::string m_strErr;
};


class NmeaDecodeProcessTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("nmea-decode-test-" + std::to_string(::getpid()));
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    fs::path Write(const std::string& name, const std::string& bytes)
    {
        const fs::path path = m_dir / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    // Runs the tool with the arguments (already quoted for the shell).
    SRun Run(const std::string& args)
    {
        const std::string command = std::string("'") + NMEA_DECODE_PATH + "' " + args + " > '" +
                                    (m_dir / "out").string() + "' 2> '" + (m_dir / "err").string() + "'";
        const int nStatus = std::system(command.c_str());
        return {WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : -1, ReadFileBytes(m_dir / "out"), ReadFileBytes(m_dir / "err")};
    }

    fs::path m_dir;
};

TEST_F(NmeaDecodeProcessTest, FilesMakeOneStreamAndStandardInputWorks)
{
    // The first file ends inside a sentence; the second completes it.
    const fs::path first = Write("a.nmea", "$GPVTG,1,T,,M,2,N,,K\r\n$GPVTG,3,T,");
    const fs::path second = Write("b.nmea", ",M,4,N,,K\r\n");
    const SRun run = Run("'" + first.string() + "' '" + second.string() + "'");
    EXPECT_EQ(run.m_nStatus, 0);
    EXPECT_EQ(run.m_strOut,
              R"({"n":1,"type":"VTG","checksum_ok":false,"decoded":true,"course":1,"speed":2})" "\n"
              R"({"n":2,"type":"VTG","checksum_ok":false,"decoded":true,"course":3,"speed":4})" "\n");

    EXPECT_EQ(Run("--summary < '" + first.string() + "'").m_strOut,
              R"({"lines":{"VTG":1},"decoded":{"VTG":1},"checksum_failures":1})" "\n");
}

TEST_F(NmeaDecodeProcessTest, UnreadableFileIsNamedAndGivesStatusTwo)
{
    const fs::path good = Write("good.nmea", "$GPTXT,1\n");
    const SRun run = Run("'" + (m_dir / "missing.nmea").string() + "' '" + good.string() + "' '" + m_dir.string() + "'");
    EXPECT_EQ(run.m_nStatus, 2);
    EXPECT_NE(run.m_strErr.find("missing.nmea"), std::string::npos) << run.m_strErr;
    EXPECT_NE(run.m_strErr.find(m_dir.string() + ":"), std::string::npos) << run.m_strErr;  // a folder
    EXPECT_EQ(SplitLines(run.m_strOut).size(), 1u);  // the readable file is still decoded
}

TEST_F(NmeaDecodeProcessTest, AnyBytesGiveValidJsonLines)
{
    std::mt19937 random(20261209);
    std::string bytes;
    // Sentence-like pieces mixed with arbitrary bytes, so the decoders see broken fields.
    const char* pieces[] = {"$GPGGA,", "$GNGSA,A,3,", "$GLGSV,3,1,", "$GPVTG,", ",", "*", "\r\n", "\n", "?", "1e999", ".", "-"};
    while (bytes.size() < 200000) {
        if (random() % 3 == 0)
            bytes += static_cast<char>(random() % 256);
        else
            bytes += pieces[random() % std::size(pieces)];
    }
    const SRun run = Run("--raw '" + Write("noise.nmea", bytes).string() + "'");
    EXPECT_EQ(run.m_nStatus, 0);
    const std::vector<std::string> lines = SplitLines(run.m_strOut);
    EXPECT_GT(lines.size(), 1000u);
    for (const std::string& line : lines)
        ASSERT_TRUE(CJsonCheck::IsValid(line)) << line;

    const SRun summary = Run("--summary '" + (m_dir / "noise.nmea").string() + "'");
    EXPECT_TRUE(CJsonCheck::IsValid(summary.m_strOut)) << summary.m_strOut;
}

// The number after "key": in a line of the tool's output; NaN when absent or null.
double Value(const std::string& line, const std::string& key)
{
    const std::size_t nPos = line.find("\"" + key + "\":");
    if (nPos == std::string::npos)
        return std::nan("");
    return std::strtod(line.c_str() + nPos + key.size() + 3, nullptr);
}

std::vector<std::string> Split(const std::string& text)
{
    std::vector<std::string> fields;
    std::istringstream stream(text);
    for (std::string field; std::getline(stream, field, ',');)
        fields.push_back(field);
    return fields;
}

// Each recorded log decodes to one valid object per line; positions, heights and DOP
// values agree with a plain reading of the fields.
TEST_F(NmeaDecodeProcessTest, RecordedReceiverLogs)
{
    const fs::path logs = ZEP_SOURCE_DIR "/../shared/nmea-logs";
    if (!fs::is_directory(logs))
        GTEST_SKIP() << "no recorded logs at " << logs;
    int nChecked = 0;
    for (const auto& entry : fs::directory_iterator(logs)) {
        if (entry.path().extension() != ".nmea")
            continue;
        const std::string bytes = ReadFileBytes(entry.path());
        const SRun run = Run("--raw '" + entry.path().string() + "'");
        ASSERT_EQ(run.m_nStatus, 0) << entry.path();
        const std::vector<std::string> out = SplitLines(run.m_strOut);
        ASSERT_EQ(out.size(), static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'))) << entry.path();

        std::istringstream input(bytes);
        std::size_t i = 0;
        for (std::string line; std::getline(input, line); ++i) {
            ASSERT_TRUE(CJsonCheck::IsValid(out[i])) << out[i];
            if (out[i].find("\"checksum_ok\":true,\"decoded\":true") == std::string::npos)
                continue;
            const std::vector<std::string> fields = Split(line.substr(0, line.find('*')));
            if (line.compare(3, 4, "GGA,") == 0 && fields.size() >= 12 && fields[2].size() > 4 && fields[4].size() > 5) {
                const double dLat = std::stod(fields[2].substr(0, 2)) + std::stod(fields[2].substr(2)) / 60;
                const double dLon = std::stod(fields[4].substr(0, 3)) + std::stod(fields[4].substr(3)) / 60;
                EXPECT_NEAR(Value(out[i], "lat"), fields[3] == "S" ? -dLat : dLat, 1e-9) << line;
                EXPECT_NEAR(Value(out[i], "lon"), fields[5] == "W" ? -dLon : dLon, 1e-9) << line;
                if (!fields[9].empty()) {
                    EXPECT_EQ(Value(out[i], "height"), std::stod(fields[9])) << line;
                }
                ++nChecked;
            } else if (line.compare(3, 4, "GSA,") == 0 && fields.size() >= 18 && !fields[15].empty()) {
                EXPECT_EQ(Value(out[i], "pdop"), std::stod(fields[15])) << line;
                EXPECT_EQ(Value(out[i], "hdop"), std::stod(fields[16])) << line;
                EXPECT_EQ(Value(out[i], "vdop"), std::stod(fields[17])) << line;
                ++nChecked;
            }
        }
    }
    EXPECT_GT(nChecked, 100);
}

}  // namespace
