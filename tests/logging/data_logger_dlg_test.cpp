#include "logging/data_logger_dlg.h"
#include "tests/support/file_text.h"
#include "tests/support/show_counter.h"

#include "platform/c_format.h"
#include "platform/clock.h"
#include "platform/disk_space.h"
#include "platform/program_name.h"
#include "settings/storage.h"
#include "settings/time_stamp.h"
#include "tests/settings/temp_drives.h"
#include "tests/support/refused_close.h"
#include "tests/support/screenshot.h"
#include "tests/support/scripted_prompt.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace
{
namespace fs = std::filesystem;

const std::string kGga1 = "$GPGGA,103902.00,5128.0210,N,00007.5570,W,1,08,1.01,45.3,M,47.0,M,,*7A\r\n";
const std::string kGga2 = "$GPGGA,103903.00,5128.0250,N,00007.5590,W,1,08,1.01,45.3,M,47.0,M,,*7A\r\n";
const std::string kGsv = "$GPGSV,1,1,01,05,40,083,46*4A\r\n";
const std::string kRmc = "$GPRMC,103902.00,A,5128.0210,N,00007.5570,W,0.02,,081226,,,A*6B\r\n";
// Positions that are no place on Earth: a corrupted latitude (1.2e37 degrees), 91° N, 181° W.
const char* const kWildGgas[] = {
    "$GPGGA,103903.00,4807.E38,N,00007.5570,W,1,08,1.01,45.3,M,47.0,M,,\r\n",
    "$GPGGA,103903.00,9100.0000,N,00007.5570,W,1,08,1.01,45.3,M,47.0,M,,\r\n",
    "$GPGGA,103903.00,5128.0210,N,18100.0000,W,1,08,1.01,45.3,M,47.0,M,,\r\n",
};
const std::string kGll = "$GPGLL,5128.0210,N,00007.5570,W,103902.00,A,A*7C\r\n";

// The window with its link replaced: it starts as if a receiver answered (or not), and the
// test hands it lines as the ring would.
class CTestDataLoggerDlg : public CDataLoggerDlg
{
public:
    using CDataLoggerDlg::CDataLoggerDlg;
    using CDataLoggerDlg::OnLine;
    using CDataLoggerDlg::OnReceiverGone;
    using CDataLoggerDlg::m_logger;

    CReceiverLink::EStart StartLink() override { return m_start; }

    bool LampIsGreen() const
    {
        // The colour at the ball's centre tells which picture the lamp shows.
        const QColor centre = m_btnLamp.icon().pixmap(32, 32).toImage().pixelColor(16, 16);
        EXPECT_EQ(s_bLampGreen, centre.green() > centre.red());
        return centre.green() > centre.red();
    }
    QLabel& Latitude() { return m_stcLatitude; }
    QLabel& Longitude() { return m_stcLongitude; }
    QLabel& FileName() { return m_stcFileName; }
    QProgressBar& Disk() { return m_progDisk; }

    CReceiverLink::EStart m_start = CReceiverLink::EStart::kStarted;
};

class DataLoggerDlgTest : public ::testing::Test
{
protected:
    DataLoggerDlgTest()
    {
        SetProgramName("zephyrane");
        m_drives.AddFixedDisk('D');
    }

    fs::path LogFile() const
    {
        return fs::path(m_drives.Root('D')) / "LOGS" / "2026" / "December" / "08Dec2026@103902.LOG";
    }

    CTempDrives m_drives;
    CScopedClock m_clock{std::make_shared<CSettableClock>(SClockTime{2026, 12, 8, 10, 39, 2, 0})};
    CScriptedPrompt m_prompt;
};

TEST_F(DataLoggerDlgTest, StartsWithPlaceholdersThenShowsFileNamePositionAndLamp)
{
    CTestDataLoggerDlg dlg(m_prompt);
    dlg.show();
    EXPECT_EQ(dlg.windowTitle(), "Datalogger - COM Port 00 Baudrate 9600");
    EXPECT_EQ(dlg.Latitude().text(), "n/a");
    EXPECT_EQ(dlg.Longitude().text(), "n/a");
    EXPECT_EQ(dlg.FileName().text(), "Not Logging");
    EXPECT_FALSE(dlg.LampIsGreen());
    SaveScreenshot(dlg, "data_logger_start");

    // Any line names the file; RMC and GLL leave the lamp alone.
    dlg.OnLine(kRmc);
    EXPECT_EQ(dlg.FileName().text(), "File Name: 08Dec2026@103902");
    EXPECT_EQ(dlg.Latitude().text(), "n/a");
    EXPECT_FALSE(dlg.LampIsGreen());

    dlg.OnLine(kGga1);
    EXPECT_TRUE(dlg.LampIsGreen());
    EXPECT_EQ(dlg.Latitude().text(), QString::fromLatin1("51\xB0 28'.0210000N"));
    dlg.OnLine(kGll);
    EXPECT_TRUE(dlg.LampIsGreen());
    dlg.OnLine(kGga2);
    EXPECT_FALSE(dlg.LampIsGreen());
    dlg.OnLine(kGga1);
    EXPECT_TRUE(dlg.LampIsGreen());
    SaveScreenshot(dlg, "data_logger");
    dlg.OnLine(kGsv);
    EXPECT_FALSE(dlg.LampIsGreen());
    dlg.OnLine(kGga1);
    EXPECT_TRUE(dlg.LampIsGreen());

    EXPECT_EQ(ReadFileBytes(LogFile()), kRmc + kGga1 + kGll + kGga2 + kGga1 + kGsv + kGga1);
}

TEST_F(DataLoggerDlgTest, EveryWindowStartsRedAndItsFirstGgaTurnsTheLampGreen)
{
    {
        CTestDataLoggerDlg first(m_prompt);
        first.show();
        first.OnLine(kGga1);
        EXPECT_TRUE(first.LampIsGreen());
    }
    // The lamp's state is class-wide; a window left green must not make the next one's
    // first GGA look like no change.
    CTestDataLoggerDlg second(m_prompt);
    second.show();
    EXPECT_FALSE(second.LampIsGreen());
    second.OnLine(kGga1);
    EXPECT_TRUE(second.LampIsGreen());
}

TEST_F(DataLoggerDlgTest, UnchangedPositionLeavesTheFieldsUntouched)
{
    CTestDataLoggerDlg dlg(m_prompt);
    dlg.show();
    dlg.OnLine(kGga1);
    const QString latitude = dlg.Latitude().text();
    // Marks that only a new text would overwrite.
    dlg.Latitude().setText("untouched");
    dlg.Longitude().setText("untouched");
    dlg.OnLine(kGga1);
    EXPECT_EQ(dlg.Latitude().text(), "untouched");
    EXPECT_EQ(dlg.Longitude().text(), "untouched");
    dlg.OnLine(kGga2);
    EXPECT_NE(dlg.Latitude().text(), "untouched");
    EXPECT_NE(dlg.Latitude().text(), latitude);
    EXPECT_NE(dlg.Longitude().text(), "untouched");
}

// A GGA in Trimble's wrapper shows its position like any GGA; one whose position is no
// place on Earth leaves the texts as they were.
TEST_F(DataLoggerDlgTest, WrappedGgaShowsItsPositionAndAWildOneNone)
{
    CTestDataLoggerDlg dlg(m_prompt);
    dlg.show();
    dlg.OnLine("$PTNL,GGA,103902.00,5128.0210,N,00007.5570,W,1,08,1.01,45.3,M,47.0,M,,*7A\r\n");
    const QString latitude = QString::fromLatin1("51\xB0 28'.0210000N");
    const QString longitude = QString::fromLatin1("000\xB0 07'.5570000W");
    EXPECT_EQ(dlg.Latitude().text(), latitude);
    EXPECT_EQ(dlg.Longitude().text(), longitude);
    for (const char* pszWild : kWildGgas)
    {
        dlg.OnLine(pszWild);
        EXPECT_EQ(dlg.Latitude().text(), latitude) << pszWild;
        EXPECT_EQ(dlg.Longitude().text(), longitude) << pszWild;
    }
}

TEST_F(DataLoggerDlgTest, DiskBarShowsTheUsedShareOfTheLogVolume)
{
    CTestDataLoggerDlg dlg(m_prompt);
    dlg.show();
    EXPECT_EQ(dlg.Disk().minimum(), 0);
    EXPECT_EQ(dlg.Disk().maximum(), 32768);
    SDiskSpace space;
    ASSERT_TRUE(GetDiskSpace(GetLogFolder(std::string()), space));
    dlg.OnLine(kGga1);
    // The temporary folder's volume barely changes between the two readings.
    EXPECT_NEAR(dlg.Disk().value(), UsedShare(space, 32768), 32);
}

TEST_F(DataLoggerDlgTest, ClosingAsksAndNoKeepsLoggingIntoTheSameFile)
{
    CTestDataLoggerDlg dlg(m_prompt);
    dlg.show();
    dlg.OnLine(kGga1);

    EXPECT_TRUE(StaysOpenWhenClosingIsRefused(dlg, m_prompt));
    dlg.OnLine(kGga2);
    EXPECT_EQ(ReadFileBytes(LogFile()), kGga1 + kGga2);

    m_prompt.AnswerNext(true);
    dlg.close();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), kIdCancel);
    ASSERT_EQ(m_prompt.Shown().size(), 3u);
    for (const auto& shown : m_prompt.Shown())
    {
        EXPECT_EQ(shown.m_strText, "Do you want to close the Datalogger");
        EXPECT_EQ(shown.m_strCaption, "Exit Program");
        EXPECT_TRUE(shown.m_bQuestion);
    }
}

TEST_F(DataLoggerDlgTest, WithTimeTagsTheFirstRecordAfterTheReceiverWasGoneIsTagged)
{
    CTestDataLoggerDlg dlg(m_prompt);
    dlg.show();
    dlg.m_logger.m_bTimeTag = 1;
    dlg.OnLine(kGga1);
    dlg.OnLine(kGga2);
    dlg.OnReceiverGone();
    dlg.OnLine(kGga1);
    const std::string strTag = FormatC("$TIMETAG,08 Dec 2026,10:39:02.000,%.2f\r\n", GetStampSeconds());
    EXPECT_EQ(ReadFileBytes(LogFile()), strTag + kGga1 + kGga2 + strTag + kGga1);
}

TEST_F(DataLoggerDlgTest, FailedStartEndsTheWindowWithoutAQuestion)
{
    CTestDataLoggerDlg dlg(m_prompt);
    dlg.m_start = CReceiverLink::EStart::kNoReceiver;
    const CShowCounter shows(dlg);
    EXPECT_EQ(dlg.DoModal(), kIdCancel);
    EXPECT_EQ(shows.Count(), 0);
    EXPECT_TRUE(m_prompt.Shown().empty());
    EXPECT_EQ(dlg.windowTitle(), "Datalogger - COM Port 00 Baudrate 9600");
}
}  // namespace
