// The simulator read through the real link, and the decoder's receiver mode, as processes.
#include "platform/virtual_ports.h"
#include "tests/support/file_text.h"
#include "serial/messages.h"
#include "serial/receiver_link.h"
#include "tests/serial/nmea_feeder.h"
#include "tests/settings/temp_drives.h"
#include "tests/support/scripted_prompt.h"
#include "tests/tools/zephyrane-sim/child_process.h"
#include "tools/zephyrane-sim/synthetic_receiver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <atomic>
#include <optional>
#include <thread>
#include <regex>
#include <sstream>

namespace
{

class ReceiverToolsTest : public ::testing::Test
{
protected:
    // A recording of the synthesised receiver, to replay.
    std::string MakeRecording(int nSeconds)
    {
        CSyntheticReceiver receiver({2026, 12, 9, 12, 0, 0, 0}, 11);
        std::ofstream file(m_drives.Root('C') + "recording.nmea", std::ios::binary);
        for (int nSecond = 0; nSecond < nSeconds; ++nSecond)
            for (const std::string& strLine : receiver.Epoch(nSecond))
            {
                m_recording.push_back(strLine);
                file << strLine;
            }
        return m_drives.Root('C') + "recording.nmea";
    }

    // Starts the link on the simulator and takes nLines lines through it.
    std::vector<std::string> ReadThroughTheLink(int nBaud, size_t nLines)
    {
        CMessageQueue window;
        CScriptedPrompt prompt;
        CReceiverLink link(window, prompt);
        SComsPacing pacing;
        EXPECT_EQ(link.Start(pacing), CReceiverLink::EStart::kStarted);
        EXPECT_EQ(link.Port().m_nBaudRate, nBaud);
        std::vector<std::string> lines;
        SLineBuffer buffer;
        while (lines.size() < nLines)
        {
            std::optional<SPostedMessage> message = window.WaitTake(10000);
            if (!message)
                break;
            if (message->m_nMessage != UM_RECEIVE_DATA)
                continue;
            while (size_t nLength = link.TakeLine(buffer))
                lines.emplace_back(buffer.data(), nLength);
        }
        link.Stop();
        return lines;
    }

    // True when lines appear in the recording one after the other, none left out.
    bool IsUnbrokenRun(const std::vector<std::string>& lines) const { return IsRunOf(lines, m_recording); }

    static bool IsRunOf(const std::vector<std::string>& lines, const std::vector<std::string>& all)
    {
        return !lines.empty() && std::search(all.begin(), all.end(), lines.begin(), lines.end()) != all.end();
    }

    // The "line" values of the decoder's objects, still escaped as JSON strings.
    static std::vector<std::string> DecodedLines(const std::string& strOut)
    {
        static const std::regex line("\"line\":\"((?:[^\"\\\\]|\\\\.)*)\"");
        std::vector<std::string> lines;
        for (const std::string& strObject : SplitLines(strOut))
        {
            std::smatch match;
            if (std::regex_search(strObject, match, line))
                lines.push_back(match[1]);
        }
        return lines;
    }

    // A log of the shared recordings, or nothing when they are not beside the project.
    static std::optional<std::string> SharedLog(const char* pszName)
    {
        std::string strPath = ZEP_SOURCE_DIR "/../shared/nmea-logs/" + std::string(pszName);
        return std::filesystem::exists(strPath) ? std::optional(strPath) : std::nullopt;
    }

    CTempDrives m_drives;
    std::vector<std::string> m_recording;
};

TEST_F(ReceiverToolsTest, TheLinkReadsARecordingWithNothingLostAtBothRates)
{
    std::string strFile = MakeRecording(120);
    for (const char* pszBaud : {"4800", "9600"})
    {
        CChildProcess sim({ZEPHYRANE_SIM_PATH, "--baud", pszBaud, "--rate", "200", strFile});
        std::string strFirst = sim.FirstLine();
        EXPECT_TRUE(std::regex_match(strFirst, std::regex("/dev/pts/[0-9]+ COM193"))) << strFirst;

        std::vector<std::string> lines = ReadThroughTheLink(std::stoi(pszBaud), 40);
        ASSERT_GE(lines.size(), 40u) << pszBaud;
        EXPECT_TRUE(IsUnbrokenRun(lines)) << pszBaud;

        EXPECT_EQ(sim.Stop(SIGTERM), 0);
        EXPECT_TRUE(ListVirtualPorts().empty());
    }
}

TEST_F(ReceiverToolsTest, TheDecoderTellsWhyItCannotRead)
{
    CChildProcess noReceiver({NMEA_DECODE_PATH, "--receiver", "--seconds", "1"});
    EXPECT_EQ(noReceiver.Wait(), 3);
    EXPECT_EQ(noReceiver.Err(), "Can't Find Zephyrane\nSearched for a CP210x USB to UART Bridge, then a known GNSS "
                                "receiver or cable (u-blox and others)\n");
    EXPECT_EQ(noReceiver.Out(), "");

    CChildProcess silent({ZEPHYRANE_SIM_PATH, "--silent"});
    ASSERT_FALSE(silent.FirstLine().empty());
    CChildProcess noData({NMEA_DECODE_PATH, "--receiver", "--seconds", "1"});
    EXPECT_EQ(noData.Wait(), 4);
    EXPECT_EQ(noData.Err(), "Can't Find Data of Zephyrane\nListened on COM193 at 4800, 9600, 38400, 115200, 19200 "
                            "and 57600 baud\n");
    EXPECT_EQ(silent.Stop(SIGINT), 0);
    EXPECT_TRUE(ListVirtualPorts().empty());
}

TEST_F(ReceiverToolsTest, TheDecoderPrintsTheReceiversLinesAsTheyArrive)
{
    CChildProcess sim({ZEPHYRANE_SIM_PATH, "--baud", "9600", "--seed", "5"});
    ASSERT_FALSE(sim.FirstLine().empty());
    CChildProcess decoder({NMEA_DECODE_PATH, "--receiver", "--seconds", "3"});
    EXPECT_EQ(decoder.Wait(), 0);
    EXPECT_NE(decoder.Out().find("\"type\":\"GGA\",\"checksum_ok\":true,\"decoded\":true"), std::string::npos)
        << decoder.Out();
    EXPECT_EQ(decoder.Err(), "");
    EXPECT_EQ(sim.Stop(SIGTERM), 0);
}

// The objects printed from the receiver are those printed for the file, numbered as in the
// file; only the first epochs may differ, while the satellite table fills.
TEST_F(ReceiverToolsTest, TheDecoderNumbersTheReceiversLinesAsInTheFile)
{
    std::string strFile = MakeRecording(120);
    CChildProcess fromFile({NMEA_DECODE_PATH, "--raw", strFile});
    ASSERT_EQ(fromFile.Wait(), 0);
    std::vector<std::string> fileObjects = SplitLines(fromFile.Out());

    CChildProcess sim({ZEPHYRANE_SIM_PATH, "--baud", "9600", "--rate", "200", strFile});
    ASSERT_FALSE(sim.FirstLine().empty());
    CChildProcess decoder({NMEA_DECODE_PATH, "--receiver", "--raw", "--seconds", "6"});
    EXPECT_EQ(decoder.Wait(), 0);
    std::vector<std::string> receiverObjects = SplitLines(decoder.Out());
    ASSERT_GE(receiverObjects.size(), 40u);

    const std::regex number("^\\{\"n\":([0-9]+),");
    for (size_t i = receiverObjects.size() / 2; i < receiverObjects.size(); ++i)
    {
        std::smatch match;
        ASSERT_TRUE(std::regex_search(receiverObjects[i], match, number)) << receiverObjects[i];
        size_t nLine = std::stoul(match[1]);
        ASSERT_GE(nLine, 1u);
        ASSERT_LE(nLine, fileObjects.size());
        EXPECT_EQ(receiverObjects[i], fileObjects[nLine - 1]);
    }
    EXPECT_EQ(sim.Stop(SIGTERM), 0);
}

// Receivers the project does not hold, set to the faster speeds: the probe finds the speed and
// the decoder prints an unbroken run of the recording's lines.
TEST_F(ReceiverToolsTest, RecordedReceiversAtHighSpeedsAreReadWhole)
{
    struct SCase
    {
        const char* pszBaud;
        const char* pszLog;
    };
    for (SCase test : {SCase{"115200", "ublox-zed-f9p-nmea.nmea"}, SCase{"38400", "neo-m8n.nmea"}})
    {
        std::optional<std::string> log = SharedLog(test.pszLog);
        if (!log)
            GTEST_SKIP() << "the shared receiver logs are not beside the project";
        CChildProcess fromFile({NMEA_DECODE_PATH, "--raw", *log});
        ASSERT_EQ(fromFile.Wait(), 0);
        std::vector<std::string> fileLines = DecodedLines(fromFile.Out());

        CChildProcess sim({ZEPHYRANE_SIM_PATH, "--baud", test.pszBaud, *log});
        ASSERT_FALSE(sim.FirstLine().empty());
        CChildProcess decoder({NMEA_DECODE_PATH, "--receiver", "--seconds", "10", "--raw"});
        EXPECT_EQ(decoder.Wait(), 0) << decoder.Err();
        std::vector<std::string> lines = DecodedLines(decoder.Out());
        EXPECT_GE(lines.size(), 40u) << test.pszBaud;
        EXPECT_TRUE(IsRunOf(lines, fileLines)) << test.pszBaud << "\n" << decoder.Out();
        EXPECT_EQ(sim.Stop(SIGTERM), 0);
    }
}

// A serial port named on the command line is read even when it is no registered receiver.
TEST_F(ReceiverToolsTest, APortNamedOnTheCommandLineIsRead)
{
    CPtyPair pty;
    std::atomic<bool> bStop{false};
    std::thread writer([&] {
        for (int n = 0; !bStop; ++n)
        {
            pty.Write(CNmeaFeeder::Line(n));
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    });
    CChildProcess decoder({NMEA_DECODE_PATH, "--receiver", "--port", pty.SlavePath(), "--seconds", "2", "--raw"});
    EXPECT_EQ(decoder.Wait(), 0) << decoder.Err();
    bStop = true;
    writer.join();
    std::vector<std::string> lines = DecodedLines(decoder.Out());
    ASSERT_GE(lines.size(), 10u) << decoder.Err();
    EXPECT_EQ(lines[1], "$GPGGA," + std::to_string(std::stoi(lines[0].substr(7)) + 1) + ",,,,,0,00,,,M,,M,,*00\\r\\n");

    CChildProcess missing({NMEA_DECODE_PATH, "--receiver", "--port", "/dev/zephyrane-none", "--seconds", "1"});
    EXPECT_EQ(missing.Wait(), 3);
    EXPECT_EQ(missing.Err(), "Can't Find Zephyrane\nSearched for the chosen port /dev/zephyrane-none\n");
}

// The simulator's cable is pulled for five seconds: the decoder prints unbroken runs of the
// recording before and after the gap, says so on standard error and ends normally.
TEST_F(ReceiverToolsTest, TheDecoderWaitsForAnUnpluggedReceiverAndReadsOn)
{
    std::string strFile = MakeRecording(120);
    CChildProcess sim({ZEPHYRANE_SIM_PATH, "--loop", "--unplug-after", "6", "--replug-after", "5", strFile});
    ASSERT_FALSE(sim.FirstLine().empty());
    CChildProcess decoder({NMEA_DECODE_PATH, "--receiver", "--seconds", "30", "--raw"});
    EXPECT_EQ(decoder.Wait(), 0);
    EXPECT_EQ(decoder.Err(), "receiver unplugged\nreceiver back at 4800 baud\n");
    // Back under the same COM number, on a new device node.
    std::string strReplugged = sim.FirstLine();
    EXPECT_TRUE(std::regex_match(strReplugged, std::regex("/dev/pts/[0-9]+ COM193"))) << strReplugged;

    // The lines break once, at the gap; each side is a run of the recording.
    std::vector<std::string> raw = DecodedLines(decoder.Out());
    std::vector<std::string> escaped;
    {
        CChildProcess fromFile({NMEA_DECODE_PATH, "--raw", strFile});
        ASSERT_EQ(fromFile.Wait(), 0);
        escaped = DecodedLines(fromFile.Out());
    }
    size_t nBreak = 1;
    while (nBreak < raw.size() && IsRunOf({raw.begin(), raw.begin() + static_cast<long>(nBreak) + 1}, escaped))
        ++nBreak;
    std::vector<std::string> before(raw.begin(), raw.begin() + static_cast<long>(nBreak));
    std::vector<std::string> after(raw.begin() + static_cast<long>(nBreak), raw.end());
    EXPECT_GE(before.size(), 20u);
    EXPECT_GE(after.size(), 40u);
    EXPECT_TRUE(IsRunOf(before, escaped));
    EXPECT_TRUE(IsRunOf(after, escaped));
    EXPECT_EQ(sim.Stop(SIGTERM), 0);
}

// Lines the receiver sent before the end are printed, also when they were still waiting to
// be handled at that moment: the decoder is stopped while a last line arrives, and ends (by
// its time or by SIGINT) as soon as it runs again.
TEST_F(ReceiverToolsTest, TheDecoderPrintsTheLinesReceivedBeforeItsEnd)
{
    for (bool bInterrupt : {true, false})
    {
        CPtyPair pty;
        CVirtualPortRegistration registration(pty.SlavePath(), "Silicon Labs CP210x USB to UART Bridge", "USB");
        auto pFeeder = std::make_unique<CNmeaFeeder>(pty, B4800);
        auto start = std::chrono::steady_clock::now();
        CChildProcess decoder({NMEA_DECODE_PATH, "--receiver", "--raw", "--seconds", bInterrupt ? "60" : "4"});
        ASSERT_FALSE(decoder.FirstLine().empty());
        pFeeder.reset();
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        decoder.Signal(SIGSTOP);
        pty.Write("$GPTXT,LAST*00\r\n");
        std::this_thread::sleep_until(start + std::chrono::milliseconds(4500));
        if (bInterrupt)
            decoder.Signal(SIGINT);
        decoder.Signal(SIGCONT);
        EXPECT_EQ(decoder.Wait(), 0);
        EXPECT_NE(decoder.Out().find("$GPTXT,LAST*00"), std::string::npos) << bInterrupt;
    }
}

} // namespace
