// The data logger window over a real link: a receiver on a pseudo-terminal, found by its
// description, probed, read by the comms thread and logged by the window.
#include "logging/data_logger_dlg.h"
#include "tests/support/file_text.h"

#include "platform/c_format.h"
#include "platform/program_name.h"
#include "tests/settings/temp_drives.h"
#include "tests/support/pty_receiver.h"
#include "tests/support/scripted_prompt.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

// Qt is not built with ThreadSanitizer, so the hand-overs inside its own thread pool and
// event queue are invisible to it; only races with a frame in Qt's libraries are let pass.
extern "C" const char* __tsan_default_suppressions()
{
    return "race:libQt6Core.so\nrace:libQt6Gui.so\nrace:libQt6Widgets.so\n";
}

namespace
{
namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Runs the window's event loop until the condition holds; false when it never does.
bool ProcessEventsUntil(const std::function<bool()>& condition)
{
    const auto deadline = std::chrono::steady_clock::now() + 60s;
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

// A data logger window reading the fake receiver, logging under a temporary logs root.
class DataLoggerDlgLink : public ::testing::Test
{
protected:
    DataLoggerDlgLink()
    {
        m_drives.AddFixedDisk('D');
        SetProgramName("zephyrane");
        m_pacing.m_nReadPauseMs = 10;
        m_receiver.StartTalking(
            [](int n) { return FormatC("$GPGGA,%06d.00,5128.0210,N,00007.5570,W,1,08,1.01,45.3,M,47.0,M,,*7A\r\n", n); });
    }

    std::string Logged() const { return ReadFileBytes(OnlyLogFile(m_logsRoot)); }

    CTempDrives m_drives;
    const fs::path m_logsRoot = fs::path(m_drives.Root('D')) / "LOGS";
    CPtyReceiver m_receiver{"USB 1-1"};
    CScriptedPrompt m_prompt;
    SComsPacing m_pacing;
};

TEST_F(DataLoggerDlgLink, LogFileHoldsEveryByteReceivedAfterTheStart)
{
    ASSERT_NE(m_receiver.Port(), 0);
    std::string strLogged;
    {
        CDataLoggerDlg dlg(m_prompt, m_pacing);
        dlg.show();
        ASSERT_TRUE(m_prompt.Shown().empty()) << m_prompt.Shown().front().m_strText;
        EXPECT_EQ(dlg.windowTitle().toStdString(), FormatC("Datalogger - COM Port %02d Baudrate 4800", m_receiver.Port()));

        // Lines flow for a while, then the receiver stops and the window takes the rest.
        ASSERT_TRUE(ProcessEventsUntil([&] { return Logged().size() > 2000; }));
        m_receiver.StopTalking();
        const std::string strSent = m_receiver.Sent();
        const std::string strLastLine = strSent.substr(strSent.rfind("$GPGGA"));
        ASSERT_TRUE(ProcessEventsUntil([&] { return Logged().ends_with(strLastLine); }));
        strLogged = Logged();
        ASSERT_LE(strLogged.size(), strSent.size());
        // Nothing lost, doubled or reordered since logging started.
        EXPECT_EQ(strLogged, strSent.substr(strSent.size() - strLogged.size()));
    }
    // The window's end stops the link; nothing more reaches the file.
    EXPECT_EQ(Logged(), strLogged);
}

TEST_F(DataLoggerDlgLink, ClosingLogsTheLinesAlreadyReceived)
{
    ASSERT_NE(m_receiver.Port(), 0);
    CDataLoggerDlg dlg(m_prompt, m_pacing);
    dlg.show();
    ASSERT_TRUE(m_prompt.Shown().empty()) << m_prompt.Shown().front().m_strText;
    ASSERT_TRUE(ProcessEventsUntil([&] { return Logged().size() > 500; }));

    // The thread goes on filling the ring while the window is busy; then the user closes.
    std::this_thread::sleep_for(500ms);
    const size_t nLoggedBefore = Logged().size();
    dlg.reject();
    ASSERT_EQ(m_prompt.Texts(), std::vector<std::string>{"Do you want to close the Datalogger"});
    m_receiver.StopTalking();

    const std::string strLogged = Logged();
    EXPECT_GT(strLogged.size(), nLoggedBefore);
    EXPECT_TRUE(strLogged.ends_with("\r\n"));
    EXPECT_NE(m_receiver.Sent().find(strLogged), std::string::npos);
}

// The window with its logger open to the test, which turns time tags on.
class CTaggingDataLoggerDlg : public CDataLoggerDlg
{
public:
    CTaggingDataLoggerDlg(IPrompt& prompt, const SComsPacing& pacing) : CDataLoggerDlg(prompt, pacing)
    {
        m_logger.m_bTimeTag = 1;
    }
    bool LatitudeIsDimmed() const { return m_stcLatitude.graphicsEffect() != nullptr; }
};

TEST_F(DataLoggerDlgLink, AnUnpluggedReceiverIsShownAndTheLogGoesOnAfterATimeTagWhenItIsBack)
{
    ASSERT_NE(m_receiver.Port(), 0);
    CTaggingDataLoggerDlg dlg(m_prompt, m_pacing);
    dlg.show();
    ASSERT_TRUE(m_prompt.Shown().empty()) << m_prompt.Shown().front().m_strText;
    const std::string strTitle = FormatC("Datalogger - COM Port %02d Baudrate 4800", m_receiver.Port());
    const auto Title = [&] { return dlg.windowTitle().toStdString(); };
    // Some lines logged after the first nFrom bytes.
    const auto LinesFrom = [&](size_t nFrom) { return Logged().size() > nFrom + 500; };
    ASSERT_TRUE(ProcessEventsUntil([&] { return LinesFrom(0); }));
    EXPECT_EQ(Title(), strTitle);
    EXPECT_FALSE(dlg.LatitudeIsDimmed());

    m_receiver.StopTalking();
    m_receiver.Unplug();
    ASSERT_TRUE(ProcessEventsUntil([&] { return Title() == strTitle + " - Receiver unplugged: waiting for it"; }))
        << Title();
    EXPECT_TRUE(dlg.LatitudeIsDimmed());
    const std::string strBeforeGap = Logged();

    // Plugged in again: the same port, a new device.
    CPtyReceiver back{"USB 1-1"};
    ASSERT_EQ(back.Port(), m_receiver.Port());
    back.StartTalking("$GPGGA,103902.00,5128.0210,N,00007.5570,W,1,08,1.01,45.3,M,47.0,M,,*7A\r\n");
    ASSERT_TRUE(ProcessEventsUntil([&] { return LinesFrom(strBeforeGap.size()); }));
    EXPECT_EQ(Title(), strTitle);
    EXPECT_FALSE(dlg.LatitudeIsDimmed());
    // One time tag at the start, one where the lines of the receiver that came back begin.
    const std::string strLogged = Logged();
    EXPECT_EQ(strLogged.rfind("$TIMETAG", 0), 0u);
    const size_t nSecondTag = strLogged.find("$TIMETAG", strBeforeGap.size());
    ASSERT_NE(nSecondTag, std::string::npos);
    EXPECT_EQ(strLogged.find("$TIMETAG", 1), nSecondTag);
    EXPECT_EQ(strLogged.find("\r\n$GPGGA", nSecondTag), strLogged.find("\r\n", nSecondTag));
    EXPECT_TRUE(m_prompt.Shown().empty());
}
}  // namespace

