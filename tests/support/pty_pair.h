#pragma once
// A pseudo-terminal for tests of serial code: the test writes into the master side, the
// code under test opens the slave side as its serial device.

#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <termios.h>
#include <unistd.h>

class CPtyPair
{
public:
    CPtyPair()
    {
        m_nMaster = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (m_nMaster >= 0 && grantpt(m_nMaster) == 0 && unlockpt(m_nMaster) == 0)
            m_strSlave = ptsname(m_nMaster);
    }
    ~CPtyPair() { CloseMaster(); }
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

    // The line settings the slave's user has applied (visible from the master side).
    termios SlaveSettings() const
    {
        termios tio{};
        tcgetattr(m_nMaster, &tio);
        return tio;
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
    std::string m_strSlave;
};
