#include "platform/serial_device.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

speed_t SpeedOfBaudRate(int nBaud)
{
    switch (nBaud)
    {
    case 110: return B110;
    case 300: return B300;
    case 600: return B600;
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    case 230400: return B230400;
    case 460800: return B460800;
    case 921600: return B921600;
    default: return B0;
    }
}

namespace
{

tcflag_t ParityFlags(char cParity)
{
    switch (cParity)
    {
    case 'N': return 0;
    case 'O': return PARENB | PARODD;
    case 'E': return PARENB;
    case 'M': return PARENB | CMSPAR | PARODD;
    case 'S': return PARENB | CMSPAR;
    default: return ~tcflag_t(0);
    }
}

tcflag_t DataBitsFlags(int nDataBits)
{
    switch (nDataBits)
    {
    case 5: return CS5;
    case 6: return CS6;
    case 7: return CS7;
    case 8: return CS8;
    default: return ~tcflag_t(0);
    }
}

} // namespace

bool ControlStringToTermios(const std::string& strControl, termios& tio)
{
    int nBaud = 0, nDataBits = 0, nStopBits = 0, nUsed = 0;
    char cParity = 0;
    if (std::sscanf(strControl.c_str(), "%d,%c,%d,%d%n", &nBaud, &cParity, &nDataBits, &nStopBits, &nUsed) != 4 ||
        static_cast<size_t>(nUsed) != strControl.size())
        return false;
    speed_t speed = SpeedOfBaudRate(nBaud);
    tcflag_t parity = ParityFlags(cParity);
    tcflag_t dataBits = DataBitsFlags(nDataBits);
    if (speed == B0 || parity == ~tcflag_t(0) || dataBits == ~tcflag_t(0) || (nStopBits != 1 && nStopBits != 2))
        return false;

    cfmakeraw(&tio);
    tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    tio.c_cflag |= CLOCAL | CREAD | dataBits | parity | (nStopBits == 2 ? CSTOPB : 0);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    cfsetispeed(&tio, speed);
    cfsetospeed(&tio, speed);
    return true;
}

CSerialDevice::~CSerialDevice()
{
    Close();
}

bool CSerialDevice::Open(const std::string& strDevicePath)
{
    Close();
    int nFd = ::open(strDevicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (nFd < 0)
        return false;
    // TIOCEXCL keeps other programs out; the lock also keeps out a second opener with
    // privileges that TIOCEXCL lets through, and other copies of this program.
    if (flock(nFd, LOCK_EX | LOCK_NB) != 0)
    {
        ::close(nFd);
        return false;
    }
    ioctl(nFd, TIOCEXCL);
    m_nFd = nFd;
    return true;
}

bool CSerialDevice::IsTerminal() const
{
    termios tio;
    return m_nFd >= 0 && tcgetattr(m_nFd, &tio) == 0;
}

bool CSerialDevice::Configure(const std::string& strControl, bool b485HalfDuplex)
{
    termios tio;
    if (m_nFd < 0 || tcgetattr(m_nFd, &tio) != 0 || !ControlStringToTermios(strControl, tio))
        return false;
    if (b485HalfDuplex)
    {
        tio.c_cflag |= CRTSCTS;
        serial_rs485 rs485{};
        rs485.flags = SER_RS485_ENABLED | SER_RS485_RTS_ON_SEND;
        ioctl(m_nFd, TIOCSRS485, &rs485);
    }
    if (tcsetattr(m_nFd, TCSANOW, &tio) != 0)
        return false;
    tcflush(m_nFd, TCIFLUSH);
    return true;
}

long CSerialDevice::Read(void* pBuffer, size_t nMax)
{
    if (m_nFd < 0)
        return -1;
    ssize_t nRead = ::read(m_nFd, pBuffer, nMax);
    if (nRead < 0)
        return (errno == EAGAIN || errno == EINTR) ? 0 : -1;
    // Nothing to read may also be a line that hung up (a pseudo-terminal whose other end
    // closed): the device has gone.
    pollfd fd{m_nFd, POLLIN, 0};
    if (nRead == 0 && poll(&fd, 1, 0) > 0 && (fd.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0)
        return -1;
    return nRead;
}

bool CSerialDevice::WaitForData(int nMilliseconds) const
{
    pollfd fd{m_nFd, POLLIN, 0};
    if (m_nFd < 0 || poll(&fd, 1, nMilliseconds) <= 0)
        return false;
    if (fd.revents & POLLIN)
        return true;
    // A line that has hung up is ready at once with nothing to read: wait the time anyway,
    // so that callers polling in a loop do not spin.
    std::this_thread::sleep_for(std::chrono::milliseconds(nMilliseconds));
    return false;
}

void CSerialDevice::Close()
{
    if (m_nFd >= 0)
    {
        // A pseudo-terminal keeps its exclusive mode while its other end is open: left set,
        // it would refuse every later open by a user without privileges.
        ioctl(m_nFd, TIOCNXCL);
        ::close(m_nFd);
    }
    m_nFd = -1;
}
