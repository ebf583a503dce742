#include "nmea/sentence.h"
#include "platform/clock.h"
#include "platform/virtual_ports.h"
#include "serial/comms_thread.h"
#include "serial/messages.h"
#include "serial/serial_port.h"
#include "tests/serial/nmea_feeder.h"
#include "tests/settings/temp_drives.h"
#include "tests/support/pty_pair.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

namespace
{

constexpr int kWaitMs = 10000;

TEST(DetectionLines, RecognisedTypesAndTheirPackedValues)
{
    EXPECT_EQ(ClassifyDetectionLine("$GPGGA,1"), EDetectVerdict::kRecognised);
    EXPECT_EQ(ClassifyDetectionLine("$PTNL,GGA,1"), EDetectVerdict::kRecognised);
    EXPECT_EQ(ClassifyDetectionLine("!AIVDM,1"), EDetectVerdict::kRecognised);
    EXPECT_EQ(ClassifyDetectionLine("!AIVDO,1"), EDetectVerdict::kRecognised);
    EXPECT_EQ(ClassifyDetectionLine("$GPTXT,1"), EDetectVerdict::kUnknown);
    EXPECT_EQ(ClassifyDetectionLine("!AIGGA,1"), EDetectVerdict::kUnknown);
    EXPECT_EQ(ClassifyDetectionLine("$GP"), EDetectVerdict::kUnknown);
    EXPECT_EQ(ClassifyDetectionLine("GPGGA,1"), EDetectVerdict::kNotNmea);
    EXPECT_EQ(ClassifyDetectionLine(""), EDetectVerdict::kNotNmea);
    EXPECT_EQ(PackSentenceType(SentenceType("$GPGGA,")), 0x414747u);
    EXPECT_EQ(PackSentenceType(SentenceType("$PTNL,GGA,")), 0x414747u);
    EXPECT_EQ(PackSentenceType(SentenceType("!AIVDM,")), 0x4d4456u);
}

// A port on a registered pseudo-terminal, a queue as its owner window, and a thread with
// short pauses.
class CommsThreadTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_pty.IsOpen());
        m_port.m_nPort = static_cast<std::uint16_t>(m_registration.Port());
        m_port.m_bEnabled = true;
        m_port.m_nBaudRate = 4800;
        m_comms.m_pPort = &m_port;
        m_comms.m_pOwner = &m_owner;
        m_comms.m_pSync = &m_mutex;
        m_comms.m_pacing = {1, 1, 1, 300};
    }

    // The next message of this kind, passing over data messages when asked to.
    std::optional<SPostedMessage> Next(bool bSkipData)
    {
        while (std::optional<SPostedMessage> message = m_owner.WaitTake(kWaitMs))
            if (!bSkipData || message->m_nMessage != UM_RECEIVE_DATA)
                return message;
        return std::nullopt;
    }

    // Drives the time through the clock: every reading moves it on by 100 ms, so the
    // thread's passes count simulated time.
    void UseSteppingClock()
    {
        m_clock = std::make_unique<CScopedClock>(std::make_shared<CSettableClock>(SClockTime{2026, 12, 9, 10, 0, 0, 0}, 100));
    }

    // Waits until the thread's own clock readings have moved the time on by dSeconds.
    static void LetTimePass(double dSeconds)
    {
        double dUntil = GetStamp() + dSeconds;
        while (GetStamp() < dUntil)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    // Looks at the clock without moving it on.
    static double GetStamp() { return static_cast<double>(ToEpochMilliseconds(UtcNow())) / 1000.0; }

    CTempDrives m_drives;
    CPtyPair m_pty;
    CVirtualPortRegistration m_registration{m_pty.SlavePath(), "Silicon Labs CP210x USB to UART Bridge", "USB"};
    std::unique_ptr<CScopedClock> m_clock;
    CSerialPort m_port;
    std::mutex m_mutex;
    CMessageQueue m_owner;
    CComsThread m_comms;
};

TEST_F(CommsThreadTest, DataIsPostedWithThePortNumberAndTheRing)
{
    ASSERT_TRUE(m_port.Open());
    m_comms.Start();
    ASSERT_TRUE(m_pty.Write(CNmeaFeeder::Line(1)));
    std::optional<SPostedMessage> message = Next(false);
    ASSERT_TRUE(message);
    EXPECT_EQ(message->m_nMessage, UM_RECEIVE_DATA);
    EXPECT_EQ(message->m_wParam, 193u);
    EXPECT_EQ(message->m_lParam, reinterpret_cast<LParam>(&m_port.m_rx));
    m_comms.RequestStop();
    EXPECT_EQ(m_comms.Join(), 0);
    EXPECT_EQ(m_comms.m_nMode, CComsThread::kReading);
}

TEST_F(CommsThreadTest, OneTimeoutAfterSixteenSilentSecondsRearmedByData)
{
    // The clock stands still unless the test moves it.
    auto pClock = std::make_shared<CSettableClock>(SClockTime{2026, 12, 9, 10, 0, 0, 0});
    m_clock = std::make_unique<CScopedClock>(pClock);
    const auto passesMeanwhile = [] { std::this_thread::sleep_for(std::chrono::milliseconds(200)); };
    ASSERT_TRUE(m_port.Open());
    m_comms.Start();
    for (int nSilence = 0; nSilence < 2; ++nSilence)
    {
        ASSERT_TRUE(m_pty.Write(CNmeaFeeder::Line(nSilence)));
        std::optional<SPostedMessage> message = Next(false);
        ASSERT_TRUE(message);
        EXPECT_EQ(message->m_nMessage, UM_RECEIVE_DATA);
        // With the interval of 15 the report needs 16 whole seconds of silence.
        pClock->Advance(15999);
        passesMeanwhile();
        EXPECT_EQ(m_owner.Size(), 0u);
        pClock->Advance(1);
        message = Next(true);
        ASSERT_TRUE(message);
        EXPECT_EQ(message->m_nMessage, UM_DATA_TIMEOUT);
        EXPECT_EQ(message->m_lParam, 0);
        // The silence goes on past 36 seconds: no second report.
        pClock->Advance(20000);
        passesMeanwhile();
        EXPECT_EQ(m_owner.Size(), 0u);
    }
    m_comms.RequestStop();
    m_comms.Join();
}

TEST_F(CommsThreadTest, AnUnpluggedReceiverGivesOneTimeoutAndNoHang)
{
    UseSteppingClock();
    ASSERT_TRUE(m_port.Open());
    m_comms.Start();
    m_pty.CloseMaster();
    std::optional<SPostedMessage> message = Next(true);
    ASSERT_TRUE(message);
    EXPECT_EQ(message->m_nMessage, UM_DATA_TIMEOUT);
    LetTimePass(30.0);
    EXPECT_EQ(m_owner.Size(), 0u);
    m_comms.RequestStop();
    EXPECT_EQ(m_comms.Join(), 0);
}

TEST_F(CommsThreadTest, StopEndsTheThreadDuringItsPause)
{
    // Pauses far longer than the test's time limit: only a stop that wakes the thread lets
    // the test end.
    m_comms.m_pacing.m_nClosedPauseMs = 3600 * 1000;
    m_comms.Start();
    m_comms.RequestStop();
    EXPECT_EQ(m_comms.Join(), 0);

    CComsThread reading;
    ASSERT_TRUE(m_port.Open());
    reading.m_pPort = &m_port;
    reading.m_pSync = &m_mutex;
    reading.m_pacing.m_nReadPauseMs = 3600 * 1000;
    reading.Start();
    reading.RequestStop();
    EXPECT_EQ(reading.Join(), 0);
}

TEST_F(CommsThreadTest, WithoutAMutexTheThreadEndsAtOnce)
{
    m_comms.m_pSync = nullptr;
    m_comms.Start();
    EXPECT_EQ(m_comms.Join(), -1);
    EXPECT_EQ(m_owner.Size(), 0u);
}

TEST_F(CommsThreadTest, WithoutAnOwnerDataIsBufferedButNotPosted)
{
    m_comms.m_pOwner = nullptr;
    ASSERT_TRUE(m_port.Open());
    m_comms.Start();
    ASSERT_TRUE(m_pty.Write(CNmeaFeeder::Line(1)));
    bool bBuffered = false;
    for (int n = 0; n < kWaitMs && !bBuffered; ++n)
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        std::lock_guard lock(m_mutex);
        bBuffered = m_port.m_rx.Unread() == CNmeaFeeder::Line(1).size();
    }
    EXPECT_TRUE(bBuffered);
    m_comms.RequestStop();
    m_comms.Join();
    EXPECT_EQ(m_owner.Size(), 0u);
}

TEST_F(CommsThreadTest, DetectionStopsAtTheFirstNmeaLine)
{
    ASSERT_TRUE(m_port.Open());
    ASSERT_TRUE(m_pty.Write("noise\r\n$GPTXT,01*00\r\n$GPGGA,1*00\r\n"));
    ASSERT_TRUE(m_pty.WaitPending(34));
    EXPECT_FALSE(m_comms.DetectSentences());
    EXPECT_EQ(m_owner.Size(), 0u);

    for (const char* pszLine : {"noise\r\n$GPGGA,1*00\r\n", "$PTNL,GGA,1\r\n", "!AIVDM,1\r\n"})
    {
        ASSERT_TRUE(m_pty.Write(pszLine));
        EXPECT_TRUE(m_comms.DetectSentences()) << pszLine;
        std::optional<SPostedMessage> message = m_owner.TryTake();
        ASSERT_TRUE(message);
        EXPECT_EQ(message->m_nMessage, UM_RS232_PORT_FOUND);
        EXPECT_EQ(message->m_lParam, std::string(pszLine) == "!AIVDM,1\r\n" ? 0x4d4456 : 0x414747);
    }
}

TEST_F(CommsThreadTest, AutoBaudFindsTheReceiversRate)
{
    CNmeaFeeder feeder(m_pty, B38400);
    m_comms.m_bAutoBaud = true;
    m_comms.Start();
    std::optional<SPostedMessage> message = Next(true);
    ASSERT_TRUE(message);
    EXPECT_EQ(message->m_nMessage, UM_RS232_PORT_FOUND);
    EXPECT_EQ(message->m_lParam, 0x414747);
    m_comms.RequestStop();
    m_comms.Join();
    EXPECT_EQ(m_port.m_nBaudRate, 38400);
    EXPECT_TRUE(m_port.IsOpen());
}

TEST_F(CommsThreadTest, AnExhaustedAutoBaudSearchRestoresTheRate)
{
    m_comms.m_bAutoBaud = true;
    m_comms.m_pacing.m_nDetectWindowMs = 50;
    m_comms.Start();
    std::optional<SPostedMessage> message = Next(true);
    ASSERT_TRUE(message);
    EXPECT_EQ(message->m_nMessage, UM_RS232_PORT_FOUND);
    EXPECT_EQ(message->m_lParam, -1);
    m_comms.RequestStop();
    m_comms.Join();
    EXPECT_EQ(m_port.m_nBaudRate, 4800);
    EXPECT_FALSE(m_port.IsOpen());
    EXPECT_FALSE(m_port.m_bEnabled);
}

} // namespace
