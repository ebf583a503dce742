#include "platform/virtual_ports.h"
#include "serial/messages.h"
#include "serial/receiver_link.h"
#include "tests/serial/nmea_feeder.h"
#include "tests/settings/temp_drives.h"
#include "tests/support/pty_pair.h"
#include "tests/support/scripted_prompt.h"

#include <gtest/gtest.h>

#include <optional>

namespace
{

class ReceiverLinkTest : public ::testing::Test
{
protected:
    // A receiver on a pseudo-terminal, registered under the bridge's description.
    void PlugIn() { m_registration.emplace(m_pty.SlavePath(), "Silicon Labs CP210x USB to UART Bridge", "USB"); }

    CTempDrives m_drives;
    CPtyPair m_pty;
    std::optional<CVirtualPortRegistration> m_registration;
    CMessageQueue m_owner;
    CScriptedPrompt m_prompt;
    CReceiverLink m_link{m_owner, m_prompt};
};

TEST_F(ReceiverLinkTest, NoReceiverShowsBothMessagesAndStartsNothing)
{
    EXPECT_EQ(m_link.Start(), CReceiverLink::EStart::kNoReceiver);
    EXPECT_EQ(m_prompt.Texts(), (std::vector<std::string>{"Can't Find Zephyrane", "Can't Find Data of Zephyrane"}));
    EXPECT_EQ(m_prompt.Shown()[0].m_strCaption, "Zephyrane");
    EXPECT_FALSE(m_prompt.Shown()[0].m_bQuestion);
    EXPECT_FALSE(m_link.IsRunning());
    EXPECT_FALSE(m_link.Port().IsOpen());
}

TEST_F(ReceiverLinkTest, ASilentReceiverShowsNoData)
{
    PlugIn();
    EXPECT_EQ(m_link.Start(), CReceiverLink::EStart::kNoData);
    EXPECT_EQ(m_prompt.Texts(), (std::vector<std::string>{"Can't Find Data of Zephyrane"}));
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

} // namespace
