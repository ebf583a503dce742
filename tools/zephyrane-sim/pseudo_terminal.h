#pragma once
// The simulator's end of a pseudo-terminal: the reading program opens the other end (the
// device node) as its serial port.

#include <string>
#include <termios.h>

class CPseudoTerminal
{
public:
    CPseudoTerminal();
    ~CPseudoTerminal();
    CPseudoTerminal(const CPseudoTerminal&) = delete;
    CPseudoTerminal& operator=(const CPseudoTerminal&) = delete;

    bool IsOpen() const { return !m_strDevice.empty(); }
    // The device node the reading program opens, e.g. /dev/pts/4.
    const std::string& Device() const { return m_strDevice; }
    // The speed the reading side has set on its end.
    speed_t LineSpeed() const;
    // Writes the bytes; what the reading side's full input queue cannot take is dropped,
    // as on a line nobody reads.
    void Write(const std::string& strBytes);

private:
    int m_nMaster = -1;
    std::string m_strDevice;
};
