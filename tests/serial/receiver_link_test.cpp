#include "platform/virtual_ports.h"
#include "serial/messages.h"
#include "serial/receiver_link.h"
#include "tests/serial/nmea_feeder.h"
#include "tests/settings/temp_drives.h"
#include "tests/support/loopback_peers.h"
#include "tests/support/pty_pair.h"
#include "tests/support/scripted_prompt.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>

namespace
{

class ReceiverLinkTest : public ::testing::Test
{
protected:
    // A receiver on a pseudo-terminal, registered under the bridge's description.
    void PlugIn() { m_registration.emplace(m_pty.SlavePath(), "Silicon Labs CP210x USB to UART Bridge", "USB"); }

    // Handles the owner's messages until bDone says so or ten seconds pass without one: lines
    // go to m_lines, link states to m_states.
    template <typename Done>
    bool HandleMessagesUntil(Done bDone)
    {
        SLineBuffer buffer;
        while (!bDone())
        {
            std::optional<SPostedMessage> message = m_owner.WaitTake(10000);
            if (!message)
                return false;
            if (message->m_nMessage == UM_LINK_STATE)
                m_states.push_back(static_cast<ELinkState>(message->m_lParam));
            while (size_t nLength = m_link.TakeLine(buffer))
                m_lines.emplace_back(buffer.data(), nLength);
        }
        return true;
    }

    CTempDrives m_drives;
    std::vector<std::string> m_lines;
    std::vector<ELinkState> m_states;
    CPtyPair m_pty;
    std::optional<CVirtualPortRegistration> m_registration;
    CMessageQueue m_owner;
    CScriptedPrompt m_prompt;
    CReceiverLink m_link{m_owner, m_prompt};
};

TEST_F(ReceiverLinkTest, NoReceiverShowsBothMessagesAndStartsNothing)
{
    EXPECT_EQ(m_link.Start(), CReceiverLink::EStart::kNoReceiver);
    EXPECT_EQ(m_prompt.Texts(),
              (std::vector<std::string>{"Can't Find Zephyrane\nSearched for a CP210x USB to UART Bridge, then a known "
                                        "GNSS receiver or cable (u-blox and others)",
                                        "Can't Find Data of Zephyrane"}));
    EXPECT_EQ(m_prompt.Shown()[0].m_strCaption, "Zephyrane");
    EXPECT_FALSE(m_prompt.Shown()[0].m_bQuestion);
    EXPECT_FALSE(m_link.IsRunning());
    EXPECT_FALSE(m_link.Port().IsOpen());
}

TEST_F(ReceiverLinkTest, ASilentReceiverShowsNoData)
{
    PlugIn();
    EXPECT_EQ(m_link.Start(), CReceiverLink::EStart::kNoData);
    EXPECT_EQ(m_prompt.Texts(), (std::vector<std::string>{"Can't Find Data of Zephyrane\nListened on COM193 at "
                                                          "4800, 9600, 38400, 115200, 19200 and 57600 baud"}));
    EXPECT_FALSE(m_link.IsRunning());
    EXPECT_FALSE(m_link.Port().IsOpen());
}

// The receiver talks at 9600 only: the probe at 4800 hears noise, the one at 9600 NMEA; the
// window then takes the feeder's lines in order until the link stops.
TEST_F(ReceiverLinkTest, AReceiverAt9600IsFoundAndRead)
{
    PlugIn();
    CNmeaFeeder feeder(m_pty, B9600);
    SComsPacing pacing;
    pacing.m_nReadPauseMs = 5;
    ASSERT_EQ(m_link.Start(pacing), CReceiverLink::EStart::kStarted);
    EXPECT_TRUE(m_prompt.Shown().empty());
    EXPECT_EQ(m_link.Port().m_nBaudRate, 9600);
    EXPECT_EQ(m_link.Port().m_nPort, 193);

    std::vector<std::string> lines;
    SLineBuffer buffer;
    while (lines.size() < 10)
    {
        std::optional<SPostedMessage> message = m_owner.WaitTake(10000);
        ASSERT_TRUE(message);
        if (message->m_nMessage != UM_RECEIVE_DATA)
            continue;
        EXPECT_EQ(message->m_lParam, reinterpret_cast<LParam>(&m_link.Port().m_rx));
        while (size_t nLength = m_link.TakeLine(buffer))
            lines.emplace_back(buffer.data(), nLength);
    }
    m_link.Stop();
    EXPECT_FALSE(m_link.IsRunning());
    EXPECT_FALSE(m_link.Port().IsOpen());

    // An unbroken run of the feeder's lines.
    int nFirst = std::stoi(lines[0].substr(7));
    for (size_t n = 0; n < lines.size(); ++n)
        EXPECT_EQ(lines[n], CNmeaFeeder::Line(nFirst + static_cast<int>(n)));
}

// A chosen port and speed: only that speed is tried, and the messages name the port.
TEST_F(ReceiverLinkTest, AChosenSpeedIsTheOnlyOneTried)
{
    PlugIn();
    CNmeaFeeder feeder(m_pty, B9600);
    struct SCase
    {
        SReceiverChoice choice;
        CReceiverLink::EStart expected;
        std::string strMessage;
    };
    const SCase cases[] = {
        {{EReceiverSource::kSerial, "COM193", 4800, "", 0}, CReceiverLink::EStart::kNoData,
         "Can't Find Data of Zephyrane\nListened on COM193 at 4800 baud"},
        {{EReceiverSource::kSerial, "COM7", 0, "", 0}, CReceiverLink::EStart::kNoReceiver,
         "Can't Find Zephyrane\nSearched for the chosen port COM7"},
        {{EReceiverSource::kSerial, "com193", 9600, "", 0}, CReceiverLink::EStart::kStarted, ""},
    };
    for (const SCase& test : cases)
    {
        m_link.SetChoice(test.choice);
        EXPECT_EQ(m_link.Start(), test.expected) << test.strMessage;
        EXPECT_EQ(m_link.FailureText(), test.strMessage);
        m_link.Stop();
    }
    EXPECT_EQ(m_link.SourceText(), "COM193 at 9600 baud");
}

// True when the lines are the feeder's, one after the other.
bool IsUnbrokenRun(const std::vector<std::string>& lines)
{
    if (lines.empty())
        return false;
    int nFirst = std::stoi(lines[0].substr(7));
    for (size_t n = 0; n < lines.size(); ++n)
        if (lines[n] != CNmeaFeeder::Line(nFirst + static_cast<int>(n)))
            return false;
    return true;
}

// The cable is pulled and put back: the link says the receiver is gone, reopens its port when
// it is registered again (now talking at 9600) and the lines go on, each one whole.
TEST_F(ReceiverLinkTest, AnUnpluggedReceiverIsReadAgainWhenItComesBack)
{
    PlugIn();
    auto pFeeder = std::make_unique<CNmeaFeeder>(m_pty, B4800);
    SComsPacing pacing;
    pacing.m_nReadPauseMs = 5;
    m_link.m_nRetryMs = 50;
    ASSERT_EQ(m_link.Start(pacing), CReceiverLink::EStart::kStarted);
    EXPECT_EQ(m_link.State(), ELinkState::kReading);
    EXPECT_EQ(m_link.SourceText(), "COM193 at 4800 baud");
    ASSERT_TRUE(HandleMessagesUntil([&] { return m_lines.size() >= 5; }));

    pFeeder.reset();
    m_registration.reset();
    m_pty.CloseMaster();
    ASSERT_TRUE(HandleMessagesUntil([&] { return m_link.State() == ELinkState::kGone; }));
    std::vector<std::string> before = std::exchange(m_lines, {});
    EXPECT_TRUE(IsUnbrokenRun(before));

    CPtyPair replugged;
    m_registration.emplace(replugged.SlavePath(), "Silicon Labs CP210x USB to UART Bridge", "USB");
    CNmeaFeeder feeder(replugged, B9600);
    ASSERT_TRUE(HandleMessagesUntil([&] { return m_lines.size() >= 5; }));
    EXPECT_TRUE(IsUnbrokenRun(m_lines));
    EXPECT_EQ(m_link.State(), ELinkState::kReading);
    EXPECT_EQ(m_link.SourceText(), "COM193 at 9600 baud");
    EXPECT_EQ(m_link.BaudRate(), 9600);
    EXPECT_EQ(m_states, (std::vector<ELinkState>{ELinkState::kReading, ELinkState::kGone, ELinkState::kReopening,
                                                 ELinkState::kReading}));
    m_link.Stop();
    EXPECT_EQ(m_link.State(), ELinkState::kStopped);
}

const std::vector<std::string> kSentences = {
    "$GPGGA,125106,3854.5087,N,07726.4523,W,8,10,2.0,268.8,M,-33.9,M,,*7F\r\n",
    "$GPGSA,A,3,03,07,08,11,13,16,19,23,24,28,,,3.6,2.0,3.0*3A\r\n",
};

// The link reading a network receiver: a TCP server of the test's own on the loopback
// interface that goes away and comes back.
class NetworkLinkTest : public ReceiverLinkTest
{
protected:
    SReceiverChoice TcpChoice(int nPort) const
    {
        SReceiverChoice choice;
        choice.m_eSource = EReceiverSource::kTcp;
        choice.m_strHost = "127.0.0.1";
        choice.m_nPort = nPort;
        return choice;
    }

    // A server on nPort (0: any) feeding the sentences round and round.
    void Serve(int nPort = 0)
    {
        m_pServer = std::make_unique<CLoopbackTcpServer>("127.0.0.1", nPort);
        ASSERT_TRUE(m_pServer->IsListening());
        m_pFeeder = std::make_unique<CLineFeeder>(kSentences, 20, [this](const std::string& strLine) {
            return m_pServer->Accept() && m_pServer->Send(strLine);
        });
    }
    void StopServing()
    {
        m_pFeeder.reset();
        m_pServer.reset();
    }

    bool Saw(ELinkState eState) const { return std::find(m_states.begin(), m_states.end(), eState) != m_states.end(); }

    std::unique_ptr<CLoopbackTcpServer> m_pServer;
    std::unique_ptr<CLineFeeder> m_pFeeder;
};

TEST_F(NetworkLinkTest, AServerThatGoesAndComesBackIsReadAgain)
{
    Serve();
    const int nPort = m_pServer->Port();
    m_link.SetChoice(TcpChoice(nPort));
    m_link.m_nRetryMs = 200;
    ASSERT_EQ(m_link.Start(), CReceiverLink::EStart::kStarted);
    EXPECT_EQ(m_link.SourceText(), "TCP 127.0.0.1:" + std::to_string(nPort));
    ASSERT_TRUE(HandleMessagesUntil([&] { return m_lines.size() >= 4; }));
    EXPECT_EQ(m_lines[0], kSentences[0]);

    StopServing();
    ASSERT_TRUE(HandleMessagesUntil([&] { return Saw(ELinkState::kGone); }));
    EXPECT_EQ(m_link.State(), ELinkState::kGone);
    {
        std::lock_guard lock(m_link.Mutex());
        EXPECT_EQ(m_link.Port().LastError(), "the server closed the connection");
    }
    // Refused attempts meanwhile leave it waiting.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_EQ(m_link.State(), ELinkState::kGone);

    m_lines.clear();
    m_states.clear();
    Serve(nPort);
    ASSERT_TRUE(HandleMessagesUntil([&] { return Saw(ELinkState::kReading) && m_lines.size() >= 4; }));
    EXPECT_EQ(m_link.SourceText(), "TCP 127.0.0.1:" + std::to_string(nPort));
    EXPECT_TRUE(m_prompt.Shown().empty());
    m_link.Stop();
}

TEST_F(NetworkLinkTest, ARefusedConnectionIsAMissingReceiverNamingTheSource)
{
    const int nPort = loopback::FreePort();
    m_link.SetChoice(TcpChoice(nPort));
    EXPECT_EQ(m_link.Start(), CReceiverLink::EStart::kNoReceiver);
    const std::string strFirst = "Can't Find Zephyrane\nTCP 127.0.0.1:" + std::to_string(nPort) + ": connection refused";
    EXPECT_EQ(m_prompt.Texts(), (std::vector<std::string>{strFirst, "Can't Find Data of Zephyrane"}));
    EXPECT_EQ(m_link.FailureText(), strFirst);
    EXPECT_FALSE(m_link.IsRunning());
}

TEST_F(NetworkLinkTest, APortThatGpsdReadsIsReadThroughGpsdWhenTheUserAgrees)
{
    CPtyPair receiver;
    ASSERT_TRUE(receiver.IsOpen());
    CVirtualPortRegistration registration(receiver.SlavePath(), "Silicon Labs CP210x USB to UART Bridge", "USB");
    CTestGpsd gpsd = CTestGpsd::Reading(receiver.SlavePath());
    ASSERT_TRUE(gpsd.Started()) << "gpsd could not be started";
    CLineFeeder feeder(kSentences, 20, [&](const std::string& strLine) { return receiver.Write(strLine); });
    m_link.m_systemGpsd = {"127.0.0.1", gpsd.Port()};

    m_prompt.AnswerNext(true);
    ASSERT_EQ(m_link.Start(), CReceiverLink::EStart::kStarted);
    ASSERT_EQ(m_prompt.Shown().size(), 1u);
    EXPECT_EQ(m_prompt.Shown()[0].m_strText, "The receiver's port " + receiver.SlavePath() +
                                                 " is in use by gpsd, the system's GPS daemon.\n"
                                                 "Read the receiver through gpsd?");
    EXPECT_TRUE(m_prompt.Shown()[0].m_bQuestion);
    EXPECT_EQ(m_link.SourceText(), "gpsd " + gpsd.HostPort() + " " + receiver.SlavePath());
    ASSERT_TRUE(HandleMessagesUntil([&] { return m_lines.size() >= 4; }));
    EXPECT_NE(std::find(kSentences.begin(), kSentences.end(), m_lines.back()), kSentences.end()) << m_lines.back();
    m_link.Stop();
}

} // namespace
