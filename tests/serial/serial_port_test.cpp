#include "platform/virtual_ports.h"
#include "serial/serial_port.h"
#include "settings/storage.h"
#include "tests/settings/temp_drives.h"
#include "tests/support/pty_pair.h"

#include <gtest/gtest.h>

#include <thread>

namespace
{

// A port whose device is a pseudo-terminal registered as a virtual port.
class SerialPortTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_pty.IsOpen());
        ASSERT_EQ(m_registration.Port(), 193);
        m_port.m_nPort = 193;
        m_port.m_bEnabled = true;
    }
    void TearDown() override { m_port.Close(); }

    // Reads until nBytes have come or nothing more arrives; returns the counts of the reads.
    std::vector<int> ReadAll(std::string& strText)
    {
        std::vector<int> counts;
        char buffer[CSerialPort::kReadBufferSize];
        while (int nRead = m_port.Read(buffer))
        {
            EXPECT_EQ(buffer[nRead], '\0');
            strText.append(buffer, static_cast<size_t>(nRead));
            counts.push_back(nRead);
        }
        return counts;
    }

    std::string SettingsFile(const std::string& strName)
    {
        return CTempDrives::ReadFile(GetSettingsFolder("COM_Ports") + strName + ".INI");
    }

    CTempDrives m_drives;
    CPtyPair m_pty;
    CVirtualPortRegistration m_registration{m_pty.SlavePath(), "Silicon Labs CP210x USB to UART Bridge", "USB"};
    CSerialPort m_port;
};

TEST_F(SerialPortTest, OpenNeedsAPortNumberInRangeAndTheEnabledFlag)
{
    for (int nPort : {0, 257})
    {
        m_port.m_nPort = static_cast<std::uint16_t>(nPort);
        EXPECT_FALSE(m_port.Open());
        EXPECT_TRUE(m_port.m_bEnabled);
    }
    m_port.m_nPort = 193;
    ASSERT_TRUE(m_port.Open());
    EXPECT_TRUE(m_port.m_rx.HasStorage());
    EXPECT_EQ(m_port.m_rx.Capacity(), 4096u);

    // Open again: only the activity time is refreshed.
    m_port.m_bTimeoutReported = true;
    m_port.m_tLastActivity = 0.0;
    EXPECT_TRUE(m_port.Open());
    EXPECT_FALSE(m_port.m_bTimeoutReported);
    EXPECT_GT(m_port.m_tLastActivity, 0.0);

    m_port.m_bEnabled = false;
    EXPECT_FALSE(m_port.Open());
    EXPECT_TRUE(m_port.IsOpen());

    m_port.Close();
    EXPECT_FALSE(m_port.IsOpen());
    EXPECT_FALSE(m_port.m_rx.HasStorage());
    EXPECT_EQ(m_port.m_rx.Capacity(), 0u);
}

TEST_F(SerialPortTest, AMissingOrBusyDeviceClearsEnabled)
{
    m_port.m_nPort = 194;
    EXPECT_FALSE(m_port.Open());
    EXPECT_FALSE(m_port.m_bEnabled);

    CSerialPort other;
    other.m_nPort = 193;
    other.m_bEnabled = true;
    m_port.m_nPort = 193;
    m_port.m_bEnabled = true;
    ASSERT_TRUE(m_port.Open());
    EXPECT_FALSE(other.Open());
    EXPECT_FALSE(other.m_bEnabled);
}

TEST_F(SerialPortTest, SettingsMakeTheDeviceControlString)
{
    m_port.m_nBaudRate = 4800;
    m_port.m_nParity = 2;
    m_port.m_nDataBits = 7;
    m_port.m_nStopBits = 2;
    EXPECT_EQ(m_port.DeviceControlString(), "4800,E,7,2");
    EXPECT_TRUE(m_port.Open());
}

// A parity index outside "NOEMS" must not pick a byte beyond the letters.
TEST_F(SerialPortTest, AParityIndexOutOfRangeFailsTheOpenSafely)
{
    m_port.m_nParity = 7;
    EXPECT_FALSE(m_port.Open());
    EXPECT_FALSE(m_port.IsOpen());
    EXPECT_FALSE(m_port.m_rx.HasStorage());
    m_port.m_nParity = -1;
    EXPECT_FALSE(m_port.Open());
}

TEST_F(SerialPortTest, AReadTakesAtMost2048BytesAndLeavesTheRest)
{
    ASSERT_TRUE(m_port.Open());
    std::string strSent;
    for (int n = 0; strSent.size() < 3000; ++n)
        strSent += "$GPTXT," + std::to_string(n) + "\r\n";
    strSent.resize(3000);
    ASSERT_TRUE(m_pty.Write(strSent));
    ASSERT_TRUE(m_pty.WaitPending(3000));

    std::string strRead;
    std::vector<int> counts = ReadAll(strRead);
    EXPECT_EQ(counts, (std::vector<int>{2048, 952}));
    EXPECT_EQ(strRead, strSent);
}

TEST_F(SerialPortTest, TheRingKeepsTheNewest4096BytesInOrder)
{
    ASSERT_TRUE(m_port.Open());
    std::string strSent;
    for (int n = 0; strSent.size() < 5000; ++n)
        strSent += "$GPGGA," + std::to_string(n) + "*00\r\n";
    std::string strRead;
    for (size_t nFrom = 0; nFrom < strSent.size(); nFrom += 2000)
    {
        std::string strPart = strSent.substr(nFrom, 2000);
        ASSERT_TRUE(m_pty.Write(strPart));
        ASSERT_TRUE(m_pty.WaitPending(static_cast<int>(strPart.size())));
        ReadAll(strRead);
    }
    EXPECT_EQ(strRead, strSent);
    EXPECT_EQ(m_port.m_rx.Unread(), 4096u);

    std::string strTaken;
    SLineBuffer line;
    while (size_t nLength = TakeLine(m_port.m_rx, line))
        strTaken.append(line.data(), nLength);
    EXPECT_EQ(strTaken, strSent.substr(strSent.size() - 4096));
}

TEST_F(SerialPortTest, AReadOfAClosedOrSilentPortReturnsNothing)
{
    char buffer[CSerialPort::kReadBufferSize];
    EXPECT_EQ(m_port.Read(buffer), 0);
    ASSERT_TRUE(m_port.Open());
    EXPECT_EQ(m_port.Read(buffer), 0);
    EXPECT_FALSE(m_port.IsGone());
    m_pty.CloseMaster();
    EXPECT_EQ(m_port.Read(buffer), 0);
    EXPECT_TRUE(m_port.IsOpen());
    EXPECT_TRUE(m_port.IsGone());
}

TEST_F(SerialPortTest, APortChosenByItsPathNeedsNoComNumber)
{
    m_port.m_nPort = 0;
    m_port.m_strDevicePath = m_pty.SlavePath();
    ASSERT_TRUE(m_port.Open());
    EXPECT_EQ(m_port.Describe(), m_pty.SlavePath() + " at 9600 baud");
    m_port.Close();
    m_port.m_strDevicePath = "/dev/zephyrane-none";
    EXPECT_FALSE(m_port.Open());
    EXPECT_FALSE(m_port.m_bEnabled);
    EXPECT_EQ(m_port.LastError(), "no such device, or in use");
}

// Writes the bytes one at a time once the port under test has set the line to speed.
std::thread FeedAt(CPtyPair& pty, speed_t speed, std::string strBytes)
{
    pty.ResetSpeed();
    return std::thread([&pty, speed, strBytes] {
        if (!pty.WaitForSpeed(speed))
            return;
        for (char c : strBytes)
        {
            pty.Write(std::string(1, c));
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    });
}

TEST_F(SerialPortTest, AProbeNeedsADollarAndALineFeed)
{
    m_port.m_nBaudRate = 19200;
    std::thread feeder = FeedAt(m_pty, B4800, "$GPGGA,1");
    EXPECT_FALSE(m_port.ProbeBaudRate(4800));
    feeder.join();
    EXPECT_EQ(m_port.m_nBaudRate, 19200);
    EXPECT_FALSE(m_port.IsOpen());
    EXPECT_FALSE(m_port.m_bEnabled);

    feeder = FeedAt(m_pty, B4800, "xx\r\n$GP");
    EXPECT_TRUE(m_port.ProbeBaudRate(4800));
    feeder.join();
    EXPECT_EQ(m_port.m_nBaudRate, 4800);
    EXPECT_TRUE(m_port.IsOpen());
    EXPECT_TRUE(m_port.m_bEnabled);
    EXPECT_EQ(m_port.m_strName, "COM193");
    EXPECT_EQ(SettingsFile("COM193"),
              "Port Number = 193\r\nStatus = 1\r\nBaud Rate = 4800\r\nParity = 0\r\nData Bits = 8\r\n"
              "Stop Bits = 1\r\n485 Half Duplex = 0\r\nTerm Char = 10\r\nCheck Sum = 1\r\n"
              "TimeoutInterval = 15\r\nMapping = 0\r\n");
}

// The probe stops at the first '$' it sees after a line feed; the rest of that sentence
// must still reach the ring, so the first whole sentence is not lost.
TEST_F(SerialPortTest, TheProbeHandsOnEverythingAfterTheFirstLineFeed)
{
    std::thread feeder = FeedAt(m_pty, B4800, "L*00\r\n$GPGGA,1*00\r\n$GPVTG,2*00\r\n");
    ASSERT_TRUE(m_port.ProbeBaudRate(4800));
    feeder.join();
    std::string strRest;
    ReadAll(strRest);
    SLineBuffer line;
    std::vector<std::string> lines;
    while (size_t nLength = TakeLine(m_port.m_rx, line))
        lines.emplace_back(line.data(), nLength);
    EXPECT_EQ(lines, (std::vector<std::string>{"$GPGGA,1*00\r\n", "$GPVTG,2*00\r\n"}));
    EXPECT_EQ(m_port.m_nProbeLineFeeds, 1u);
}

TEST_F(SerialPortTest, AProbeOfAMissingDeviceFailsAtOnce)
{
    m_port.m_nPort = 0;
    EXPECT_FALSE(m_port.ProbeBaudRate(4800));
    EXPECT_EQ(m_port.m_nBaudRate, 9600);
    EXPECT_EQ(m_port.m_nParity, 0);
}

TEST_F(SerialPortTest, SettingsFilesAreNamedAfterThePort)
{
    m_port.m_nPort = 3;
    m_port.m_strName = "COM3";
    m_port.SaveSettings();
    EXPECT_EQ(m_port.m_strName, "COM03");
    EXPECT_NE(SettingsFile("COM03").find("Port Number = 3\r\n"), std::string::npos);

    m_port.m_strName = "GPS";
    m_port.SaveSettings();
    EXPECT_EQ(m_port.m_strName, "GPS");
    EXPECT_FALSE(SettingsFile("GPS").empty());

    m_port.m_strName.clear();
    m_port.m_nParity = 7;
    m_port.m_nBaudRate = 4800;
    m_port.SaveSettings();
    EXPECT_EQ(SettingsFile("COM_PORT"), "Port = 3\r\nBaudrate = 4800\r\nParity = N\r\nData Bits = 8\r\nStop Bits = 1\r\n");
}

} // namespace
