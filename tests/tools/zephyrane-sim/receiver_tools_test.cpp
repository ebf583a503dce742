// The simulator read through the real link, and the decoder's receiver mode, as processes.
#include "platform/virtual_ports.h"
#include "tests/support/file_text.h"
#include "serial/messages.h"
#include "serial/receiver_link.h"
#include "tests/settings/temp_drives.h"
#include "tests/support/scripted_prompt.h"
#include "tests/tools/zephyrane-sim/child_process.h"
#include "tools/zephyrane-sim/synthetic_receiver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
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
    bool IsUnbrokenRun(const std::vector<std::string>& lines) const
    {
        auto it = std::search(m_recording.begin(), m_recording.end(), lines.begin(), lines.end());
        return !lines.empty() && it != m_recording.end();
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
    EXPECT_EQ(noReceiver.Err(), "Can't Find Zephyrane\n");
    EXPECT_EQ(noReceiver.Out(), "");

    CChildProcess silent({ZEPHYRANE_SIM_PATH, "--silent"});
    ASSERT_FALSE(silent.FirstLine().empty());
    CChildProcess noData({NMEA_DECODE_PATH, "--receiver", "--seconds", "1"});
    EXPECT_EQ(noData.Wait(), 4);
    EXPECT_EQ(noData.Err(), "Can't Find Data of Zephyrane\n");
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

} // namespace
