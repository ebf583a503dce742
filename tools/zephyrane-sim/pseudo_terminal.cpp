#include "tools/zephyrane-sim/pseudo_terminal.h"

#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

CPseudoTerminal::CPseudoTerminal()
{
    m_nMaster = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_nMaster >= 0 && grantpt(m_nMaster) == 0 && unlockpt(m_nMaster) == 0)
    {
        const char* pszDevice = ptsname(m_nMaster);
        if (pszDevice)
            m_strDevice = pszDevice;
    }
}

CPseudoTerminal::~CPseudoTerminal()
{
    if (m_nMaster >= 0)
        close(m_nMaster);
}

speed_t CPseudoTerminal::LineSpeed() const
{
    // On this end the terminal settings are those of the other end.
    termios tio{};
    if (tcgetattr(m_nMaster, &tio) != 0)
        return B0;
    return cfgetispeed(&tio);
}

void CPseudoTerminal::Write(const std::string& strBytes)
{
    size_t nDone = 0;
    while (nDone < strBytes.size())
    {
        ssize_t n = write(m_nMaster, strBytes.data() + nDone, strBytes.size() - nDone);
        if (n <= 0)
            return;
        nDone += static_cast<size_t>(n);
    }
}
