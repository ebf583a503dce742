#include "platform/serial_device.h"
#include "tests/support/pty_pair.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <string>
#include <sys/ioctl.h>
#include <unistd.h>

namespace
{

class SerialDeviceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_pty.IsOpen());
        ASSERT_TRUE(m_device.Open(m_pty.SlavePath()));
    }

    CPtyPair m_pty;
    CSerialDevice m_device;
};

TEST_F(SerialDeviceTest, OpenIsExclusiveAndFailsOnMissingNodes)
{
    EXPECT_TRUE(m_device.IsTerminal());
    CSerialDevice second;
    EXPECT_FALSE(second.Open(m_pty.SlavePath()));
    EXPECT_FALSE(second.Open("/dev/zephyrane-no-such-device"));
    m_device.Close();
    EXPECT_TRUE(second.Open(m_pty.SlavePath()));
}

// Root opens an exclusive line anyway, so the flag itself is checked: a user could not.
TEST_F(SerialDeviceTest, ClosingGivesUpExclusiveUse)
{
    m_device.Close();
    int nFd = ::open(m_pty.SlavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(nFd, 0);
    int nExclusive = -1;
    EXPECT_EQ(ioctl(nFd, TIOCGEXCL, &nExclusive), 0);
    EXPECT_EQ(nExclusive, 0);
    ::close(nFd);
}

TEST(SerialDevice, AFileThatIsNoTerminalIsNotASerialDevice)
{
    CSerialDevice device;
    ASSERT_TRUE(device.Open("/dev/null"));
    EXPECT_FALSE(device.IsTerminal());
    EXPECT_FALSE(device.Configure("4800,N,8,1", false));
}

TEST(ControlString, SetsSpeedParityDataAndStopBits)
{
    termios tio{};
    ASSERT_TRUE(ControlStringToTermios("4800,E,7,2", tio));
    EXPECT_EQ(cfgetispeed(&tio), B4800);
    EXPECT_EQ(tio.c_cflag & CSIZE, tcflag_t(CS7));
    EXPECT_EQ(tio.c_cflag & (PARENB | PARODD | CMSPAR), tcflag_t(PARENB));
    EXPECT_TRUE(tio.c_cflag & CSTOPB);
    EXPECT_EQ(tio.c_cc[VMIN], 0);
    EXPECT_EQ(tio.c_cc[VTIME], 0);
    EXPECT_FALSE(tio.c_lflag & ICANON);

    ASSERT_TRUE(ControlStringToTermios("9600,M,8,1", tio));
    EXPECT_EQ(cfgetispeed(&tio), B9600);
    EXPECT_EQ(tio.c_cflag & CSIZE, tcflag_t(CS8));
    EXPECT_EQ(tio.c_cflag & (PARENB | PARODD | CMSPAR), tcflag_t(PARENB | PARODD | CMSPAR));
    EXPECT_FALSE(tio.c_cflag & CSTOPB);
    ASSERT_TRUE(ControlStringToTermios("9600,S,8,1", tio));
    EXPECT_EQ(tio.c_cflag & (PARENB | PARODD | CMSPAR), tcflag_t(PARENB | CMSPAR));

    for (const char* pszControl : {"4800,X,8,1", "4800,N,9,1", "4800,N,8,3", "1234,N,8,1", "4800,N,8", "4800,N,8,1,", "baud"})
        EXPECT_FALSE(ControlStringToTermios(pszControl, tio)) << pszControl;
}

// A pseudo-terminal keeps only speed and stop bits of what it is given.
TEST_F(SerialDeviceTest, ConfigureAppliesTheSettingsToTheLine)
{
    ASSERT_TRUE(m_device.Configure("4800,N,8,2", false));
    termios tio = m_pty.SlaveSettings();
    EXPECT_EQ(cfgetispeed(&tio), B4800);
    EXPECT_TRUE(tio.c_cflag & CSTOPB);
    EXPECT_FALSE(tio.c_lflag & ICANON);
    EXPECT_FALSE(m_device.Configure("4800,N,9,1", false));

    // A port that refuses RS-485 still takes the rest of the settings.
    EXPECT_TRUE(m_device.Configure("4800,S,8,1", true));
}

TEST_F(SerialDeviceTest, ReadsReturnAtOnceWithWhatHasArrived)
{
    ASSERT_TRUE(m_device.Configure("4800,N,8,1", false));
    char buffer[64];
    EXPECT_EQ(m_device.Read(buffer, sizeof buffer), 0);
    ASSERT_TRUE(m_pty.Write("$GPGGA\r\n"));
    long nRead = 0;
    for (int n = 0; n < 1000 && nRead == 0; ++n)
        nRead = m_device.Read(buffer, sizeof buffer);
    EXPECT_EQ(std::string(buffer, static_cast<size_t>(nRead)), "$GPGGA\r\n");

    // The other end goes away: reads fail, nothing hangs.
    m_pty.CloseMaster();
    EXPECT_LE(m_device.Read(buffer, sizeof buffer), 0);
    m_device.Close();
    EXPECT_EQ(m_device.Read(buffer, sizeof buffer), -1);
}

} // namespace
