#pragma once
// A pseudo-terminal for tests of serial code: the test writes into the master side, the
// code under test opens the slave side as its serial device.

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

class CPtyPair
{
public:
    CPtyPair()
    {
        m_nMaster = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (m_nMaster >= 0 && grantpt(m_nMaster) == 0 && unlockpt(m_nMaster) == 0)
            m_strSlave = ptsname(m_nMaster);
        // A second opener of the slave, before the code under test locks it, lets the test
        // see how many bytes wait in the line's input queue.
        if (!m_strSlave.empty())
            m_nWatch = ::open(m_strSlave.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    }
    ~CPtyPair()
    {
        CloseMaster();
        if (m_nWatch >= 0)
            ::close(m_nWatch);
    }
    CPtyPair(const CPtyPair&) = delete;
    CPtyPair& operator=(const CPtyPair&) = delete;

    bool IsOpen() const { return !m_strSlave.empty(); }
    const std::string& SlavePath() const { return m_strSlave; }
    int Master() const { return m_nMaster; }

    // Writes all of text; the slave's reader sees it at once.
    bool Write(const std::string& text)
    {
        size_t nDone = 0;
        while (nDone < text.size())
        {
            ssize_t n = ::write(m_nMaster, text.data() + nDone, text.size() - nDone);
            if (n <= 0)
                return false;
            nDone += static_cast<size_t>(n);
        }
        return true;
    }

    // Waits (up to five seconds) until at least nBytes wait to be read on the slave side;
    // the terminal layer passes written bytes on asynchronously.
    bool WaitPending(int nBytes) const
    {
        for (int nTry = 0; nTry < 5000; ++nTry)
        {
            int nPending = 0;
            if (ioctl(m_nWatch, FIONREAD, &nPending) == 0 && nPending >= nBytes)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return false;
    }

    // Waits (up to five seconds) until the slave side's user has set the line to speed.
    bool WaitForSpeed(speed_t speed) const
    {
        for (int nTry = 0; nTry < 5000; ++nTry)
        {
            termios tio = SlaveSettings();
            if (cfgetispeed(&tio) == speed)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return false;
    }

    // The line settings the slave's user has applied (visible from the master side).
    termios SlaveSettings() const
    {
        termios tio{};
        tcgetattr(m_nMaster, &tio);
        return tio;
    }

    // Sets the line's speed as a new opener would find it.
    void ResetSpeed(speed_t speed = B38400)
    {
        termios tio = SlaveSettings();
        cfsetispeed(&tio, speed);
        cfsetospeed(&tio, speed);
        tcsetattr(m_nMaster, TCSANOW, &tio);
    }

    // Stands for a receiver that is unplugged: the slave's reads fail from now on.
    void CloseMaster()
    {
        if (m_nMaster >= 0)
            ::close(m_nMaster);
        m_nMaster = -1;
    }

private:
    int m_nMaster = -1;
    int m_nWatch = -1;
    std::string m_strSlave;
};
