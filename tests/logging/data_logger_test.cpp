#include "logging/data_logger.h"
#include "tests/support/file_text.h"

#include "nmea/rx_ring.h"
#include "platform/c_format.h"
#include "platform/clock.h"
#include "platform/disk_space.h"
#include "platform/program_name.h"
#include "settings/time_stamp.h"
#include "tests/settings/temp_drives.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>

namespace
{
namespace fs = std::filesystem;

const std::string kGga = "$GPGGA,103902.00,5128.0210,N,00007.5570,W,1,08,1.01,45.3,M,47.0,M,,*7A\r\n";
const std::string kRmc = "$GPRMC,103902.00,A,5128.0210,N,00007.5570,W,0.02,,081226,,,A*6B\r\n";

const SClockTime kStart{2026, 12, 8, 10, 39, 2, 123};

std::string StampText(const SClockTime& time)
{
    return FormatC("%.2f", STimeStamp::FromClock(time).m_dStampSeconds);
}

class DataLoggerTest : public ::testing::Test
{
protected:
    DataLoggerTest()
    {
        SetProgramName("zephyrane");
        m_drives.AddFixedDisk('D');
    }

    // Drive D: is the first fixed disk without a LOGS folder, so the logs root is made there.
    fs::path LogsRoot() const { return fs::path(m_drives.Root('D')) / "LOGS"; }
    fs::path December() const { return LogsRoot() / "2026" / "December"; }
    fs::path SettingsFile() const
    {
        return fs::path(m_drives.Root('D')) / "MySettings" / "zephyrane" / "Logging.INI";
    }

    // A run named after its start, as the window has it, but keeping the other settings.
    static void StartFixedNameRun(CDataLogger& logger)
    {
        logger.m_bStampFile = 1;
        logger.m_bAutoFileName = 0;
        logger.StartLogging();
    }

    // The interval method at five seconds, in a run named after its start.
    static void StartFiveSecondIntervalRun(CDataLogger& logger)
    {
        logger.m_nLogMethod = 1;
        logger.m_nLogInterval = 5;
        StartFixedNameRun(logger);
    }

    void AdvanceSeconds(int nSeconds) { m_clock->Advance(nSeconds * 1000LL); }

    CTempDrives m_drives;
    std::shared_ptr<CSettableClock> m_clock = std::make_shared<CSettableClock>(kStart);
    CScopedClock m_scopedClock{m_clock};
};

TEST_F(DataLoggerTest, WindowRunSavesElevenLinesAndLogsToStartTimeName)
{
    {
        CDataLogger logger;
        logger.StartStampedRun();
        EXPECT_EQ(ReadFileBytes(SettingsFile()),
                  "Status = 0\r\nLog Interval = 0\r\nUse = 1\r\nTime Stamp = 0\r\nStamp File = 1\r\n"
                  "File Type = 0\r\nAutomatic File Name = 0\r\nLog Name = LOG\r\n"
                  "File Extension = LOG\r\nTable Name = Sheet1\r\nLog Method = 0\r\n");
        EXPECT_EQ(logger.m_strLogName, "08Dec2026@103902");
        EXPECT_EQ(logger.GetLogFilePath(), (December() / "08Dec2026@103902.LOG").string());

        // A second start changes nothing, even a minute later.
        AdvanceSeconds(60);
        logger.StartLogging();
        EXPECT_EQ(logger.m_strLogName, "08Dec2026@103902");

        LogSentence(logger, kGga);
        LogSentence(logger, kRmc);
        EXPECT_EQ(ReadFileBytes(December() / "08Dec2026@103902.LOG"), kGga + kRmc);
    }
    // Destruction saves once more: the run is active and named after its start.
    const std::string strSaved = ReadFileBytes(SettingsFile());
    EXPECT_EQ(strSaved.substr(0, 12), "Status = 1\r\n");
    EXPECT_NE(strSaved.find("Log Name = 08Dec2026@103902\r\n"), std::string::npos);
}

TEST_F(DataLoggerTest, FileNamesFollowPrefixBlocksMonthsAndIndex)
{
    CDataLogger prefixed;
    prefixed.m_strNamePrefix = "GPS";
    StartFixedNameRun(prefixed);
    EXPECT_EQ(prefixed.m_strLogName, "GPS_08Dec2026@103902");
    prefixed.m_nFileIndex = 3;
    EXPECT_EQ(prefixed.GetLogFilePath(), (December() / "GPS_08Dec2026@103902_3.LOG").string());

    CDataLogger monthly;
    monthly.m_bMonthlyFiles = 1;
    monthly.StartLogging();
    LogSentence(monthly, kGga);
    EXPECT_EQ(ReadFileBytes(LogsRoot() / "2026" / "Dec2026.LOG"), kGga);

    CDataLogger blocks;
    blocks.m_nRolloverHours = 6;
    blocks.StartLogging();
    m_clock->Set({2026, 12, 8, 5, 59, 59, 0});
    LogSentence(blocks, kGga);
    m_clock->Set({2026, 12, 8, 6, 0, 0, 0});
    LogSentence(blocks, kRmc);
    EXPECT_EQ(ReadFileBytes(December() / "08Dec2026@0000.LOG"), kGga);
    EXPECT_EQ(ReadFileBytes(December() / "08Dec2026@0600.LOG"), kRmc);
}

TEST(DataLoggerFolders, YearAndMonthFollowUtcWhileNamesFollowLocalTime)
{
    CTempDrives drives;
    drives.AddFixedDisk('D');
    // One hour east of Greenwich, half an hour into the new year: UTC is still December.
    CScopedClock clock(std::make_shared<CSettableClock>(SClockTime{2027, 1, 1, 0, 30, 0, 0}, 0, 60));
    CDataLogger logger;
    logger.StartStampedRun();
    EXPECT_EQ(logger.GetLogFilePath(),
              (fs::path(drives.Root('D')) / "LOGS" / "2026" / "December" / "01Jan2027@003000.LOG").string());
}

TEST_F(DataLoggerTest, StampPrefixAndTimeTagsEverySixHundredSeconds)
{
    CDataLogger logger;
    logger.m_bTimeStamp = 1;
    logger.m_bTimeTag = 1;
    logger.StartStampedRun();

    LogSentence(logger, kGga);
    AdvanceSeconds(599);
    LogSentence(logger, kRmc);
    AdvanceSeconds(1);
    LogSentence(logger, kGga);

    const SClockTime first = kStart;
    const SClockTime third{2026, 12, 8, 10, 49, 2, 123};
    EXPECT_EQ(ReadFileBytes(December() / "08Dec2026@103902.LOG"),
              "$TIMETAG,08 Dec 2026,10:39:02.123," + StampText(first) + "\r\n" +
                  "08 Dec 2026,10:39:02.123," + kGga +
                  "08 Dec 2026,10:49:01.123," + kRmc +
                  "$TIMETAG,08 Dec 2026,10:49:02.123," + StampText(third) + "\r\n" +
                  "08 Dec 2026,10:49:02.123," + kGga);
}

TEST_F(DataLoggerTest, IntervalMethodLogsEverySixthLineAtOneLinePerSecond)
{
    CDataLogger logger;
    StartFiveSecondIntervalRun(logger);
    std::string strExpected;
    for (int i = 0; i < 13; ++i)
    {
        const std::string strLine = "$GPGGA," + std::to_string(i) + "\r\n";
        LogSentence(logger, strLine);
        if (i % 6 == 0)
            strExpected += strLine;
        AdvanceSeconds(1);
    }
    EXPECT_EQ(ReadFileBytes(December() / "08Dec2026@103902.LOG"), strExpected);
}

TEST_F(DataLoggerTest, EmptyLinesAndZeroBytes)
{
    CDataLogger logger;
    StartFixedNameRun(logger);

    // An empty line is not logged and does not count as the run's first line.
    LogSentence(logger, std::string_view("\0$GPGGA\r\n", 9));
    LogSentence(logger, "");
    EXPECT_EQ(logger.m_bWasLogging, 0);
    EXPECT_FALSE(fs::exists(December() / "08Dec2026@103902.LOG"));

    // A zero byte inside a line is written as received, and the line keeps its line end, so
    // the next sentence starts a line of its own.
    LogSentence(logger, std::string_view("$GPGGA,1\0junk\r\n", 15));
    EXPECT_EQ(logger.m_bWasLogging, 1);
    LogSentence(logger, kGga);
    EXPECT_EQ(ReadFileBytes(December() / "08Dec2026@103902.LOG"), std::string("$GPGGA,1\0junk\r\n", 15) + kGga);
}

TEST_F(DataLoggerTest, NothingIsWrittenBeforeTheRunOrWhenDisabled)
{
    CDataLogger logger;
    EXPECT_FALSE(logger.WriteRecord(kGga));
    logger.m_bUse = 0;
    logger.StartLogging();
    EXPECT_FALSE(logger.WriteRecord(kGga));
    LogSentence(logger, kGga);
    EXPECT_FALSE(fs::exists(LogsRoot()));
}

TEST_F(DataLoggerTest, UnwritableRecordIsLostButTheNextLineTriesAgain)
{
    CDataLogger logger;
    StartFiveSecondIntervalRun(logger);
    // A folder where the file should be makes every open fail.
    const fs::path file = December() / "08Dec2026@103902.LOG";
    fs::create_directories(file);
    EXPECT_FALSE(logger.WriteRecord(kGga));
    LogSentence(logger, kGga);

    // The failed line did not count as logged, so the next line is not held back by the
    // interval.
    fs::remove(file);
    AdvanceSeconds(1);
    LogSentence(logger, kRmc);
    EXPECT_EQ(ReadFileBytes(file), kRmc);
}

TEST_F(DataLoggerTest, RecordCutShortByAFullDiskLeavesNothingAndReportsFailure)
{
    CDataLogger logger;
    logger.StartStampedRun();
    LogSentence(logger, kGga);
    const fs::path file = December() / "08Dec2026@103902.LOG";
    ASSERT_EQ(fs::file_size(file), kGga.size());

    // A file-size limit a few bytes above the present size stands for a disk that fills up
    // in the middle of the record.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = kGga.size() + 10;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const bool bWritten = logger.WriteRecord(kRmc);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(bWritten);
    EXPECT_EQ(ReadFileBytes(file), kGga);
    EXPECT_TRUE(logger.WriteRecord(kRmc));
    EXPECT_EQ(ReadFileBytes(file), kGga + kRmc);
}

TEST_F(DataLoggerTest, LogFileIsTheReceivedStreamByteForByte)
{
    const fs::path recorded = fs::path(ZEP_SOURCE_DIR "/../shared/nmea-logs") / "bu353s4.nmea";
    if (!fs::exists(recorded))
        GTEST_SKIP() << "recorded receiver logs not found at " << recorded;
    std::string strStream = ReadFileBytes(recorded);
    strStream.erase(strStream.rfind('\n') + 1);

    CDataLogger logger;
    logger.StartStampedRun();
    SRxRing ring;
    ring.Allocate();
    SLineBuffer line{};
    // Batches of odd sizes split lines at every possible place.
    for (size_t nPos = 0; nPos < strStream.size(); nPos += 97)
    {
        ring.Append(strStream.data() + nPos, std::min<size_t>(97, strStream.size() - nPos));
        while (const size_t nLength = TakeLine(ring, line))
            LogSentence(logger, std::string_view(line.data(), nLength));
    }
    EXPECT_EQ(ReadFileBytes(December() / "08Dec2026@103902.LOG"), strStream);
}
}  // namespace

namespace
{
TEST(DiskUsage, UsedShareOfTheVolumeOnTheBarsScale)
{
    EXPECT_EQ(UsedShare({500, 1000}, 32768), 16384);
    EXPECT_EQ(UsedShare({1000, 1000}, 32768), 0);
    EXPECT_EQ(UsedShare({0, 1000}, 32768), 32768);
    EXPECT_EQ(UsedShare({1, 3}, 32768), 21845);
    // Several terabytes do not overflow the scale.
    EXPECT_EQ(UsedShare({1ULL << 42, 1ULL << 43}, 32768), 16384);
    EXPECT_EQ(UsedShare({0, 0}, 32768), -1);
}
}  // namespace
