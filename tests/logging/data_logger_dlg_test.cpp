#include "logging/data_logger_dlg.h"

#include "platform/c_format.h"
#include "platform/clock.h"
#include "platform/disk_space.h"
#include "platform/program_name.h"
#include "platform/virtual_ports.h"
#include "settings/storage.h"
#include "tests/settings/temp_drives.h"
#include "tests/support/pty_pair.h"
#include "tests/support/refused_close.h"
#include "tests/support/screenshot.h"
#include "tests/support/scripted_prompt.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <thread>

namespace
{
namespace fs = std::filesystem;

const std::string kGga1 = "$GPGGA,103902.00,5128.0210,N,00007.5570,W,1,08,1.01,45.3,M,47.0,M,,*7A\r\n";
const std::string kGga2 = "$GPGGA,103903.00,5128.0250,N,00007.5590,W,1,08,1.01,45.3,M,47.0,M,,*7A\r\n";
const std::string kGsv = "$GPGSV,1,1,01,05,40,083,46*4A\r\n";
const std::string kRmc = "$GPRMC,103902.00,A,5128.0210,N,00007.5570,W,0.02,,081226,,,A*6B\r\n";
const std::string kGll = "$GPGLL,5128.0210,N,00007.5570,W,103902.00,A,A*7C\r\n";

// The window with its link replaced: it starts as if a receiver answered (or not), and the
// test hands it lines as the ring would.
class CTestDataLoggerDlg : public CDataLoggerDlg
{
public:
    using CDataLoggerDlg::CDataLoggerDlg;
    using CDataLoggerDlg::OnLine;

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

std::string ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

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

    EXPECT_EQ(ReadAll(LogFile()), kRmc + kGga1 + kGll + kGga2 + kGga1 + kGsv + kGga1);
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
    EXPECT_EQ(ReadAll(LogFile()), kGga1 + kGga2);

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

TEST_F(DataLoggerDlgTest, FailedStartEndsTheWindowWithoutAQuestion)
{
    CTestDataLoggerDlg dlg(m_prompt);
    dlg.m_start = CReceiverLink::EStart::kNoReceiver;
    EXPECT_EQ(dlg.DoModal(), kIdCancel);
    EXPECT_TRUE(m_prompt.Shown().empty());
    EXPECT_EQ(dlg.windowTitle(), "Datalogger - COM Port 00 Baudrate 9600");
}
}  // namespace

namespace
{
using namespace std::chrono_literals;

// Runs the window's event loop until the condition holds; false when it never does.
bool ProcessEventsUntil(const std::function<bool()>& condition)
{
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (!condition())
    {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

// The one log file under the logs root, or an empty path.
fs::path OnlyLogFile(const fs::path& logsRoot)
{
    fs::path found;
    std::error_code error;
    for (const auto& entry : fs::recursive_directory_iterator(logsRoot, error))
    {
        if (entry.path().extension() == ".LOG")
            found = entry.path();
    }
    return found;
}

// A receiver on a pseudo-terminal, registered as a CP210x port, that sends numbered GGA
// sentences until it is stopped and remembers what it sent.
class CFakeReceiver
{
public:
    CFakeReceiver()
        : m_registration(m_pty.SlavePath(), "Silicon Labs CP210x USB to UART Bridge", "USB 1-1"),
          m_sender([this] { Send(); })
    {
    }
    ~CFakeReceiver() { Stop(); }

    int Port() const { return m_registration.Port(); }
    void Stop()
    {
        m_bStop = true;
        if (m_sender.joinable())
            m_sender.join();
    }
    std::string Sent()
    {
        std::lock_guard lock(m_mutex);
        return m_strSent;
    }

private:
    void Send()
    {
        for (int i = 0; !m_bStop; ++i)
        {
            const std::string strLine =
                FormatC("$GPGGA,%06d.00,5128.0210,N,00007.5570,W,1,08,1.01,45.3,M,47.0,M,,*7A\r\n", i);
            {
                std::lock_guard lock(m_mutex);
                m_strSent += strLine;
            }
            m_pty.Write(strLine);
            std::this_thread::sleep_for(20ms);
        }
    }

    CPtyPair m_pty;
    CVirtualPortRegistration m_registration;
    std::mutex m_mutex;
    std::string m_strSent;
    std::atomic<bool> m_bStop{false};
    std::thread m_sender;
};

TEST(DataLoggerDlgLink, LogFileHoldsEveryByteReceivedAfterTheStart)
{
    CTempDrives drives;
    drives.AddFixedDisk('D');
    SetProgramName("zephyrane");
    const fs::path logsRoot = fs::path(drives.Root('D')) / "LOGS";
    CFakeReceiver receiver;
    ASSERT_NE(receiver.Port(), 0);
    CScriptedPrompt prompt;
    std::string strLogged;
    {
        SComsPacing pacing;
        pacing.m_nReadPauseMs = 10;
        CDataLoggerDlg dlg(prompt, pacing);
        dlg.show();
        ASSERT_TRUE(prompt.Shown().empty()) << prompt.Shown().front().m_strText;
        EXPECT_EQ(dlg.windowTitle().toStdString(), FormatC("Datalogger - COM Port %02d Baudrate 4800", receiver.Port()));

        // Lines flow for a while, then the receiver stops and the window takes the rest.
        ASSERT_TRUE(ProcessEventsUntil([&] { return ReadAll(OnlyLogFile(logsRoot)).size() > 2000; }));
        receiver.Stop();
        const std::string strSent = receiver.Sent();
        const std::string strLastLine = strSent.substr(strSent.rfind("$GPGGA"));
        ASSERT_TRUE(ProcessEventsUntil([&] { return ReadAll(OnlyLogFile(logsRoot)).ends_with(strLastLine); }));
        strLogged = ReadAll(OnlyLogFile(logsRoot));
        ASSERT_LE(strLogged.size(), strSent.size());
        // Nothing lost, doubled or reordered since logging started.
        EXPECT_EQ(strLogged, strSent.substr(strSent.size() - strLogged.size()));
    }
    EXPECT_EQ(ReadAll(OnlyLogFile(logsRoot)), strLogged);
}
}  // namespace
