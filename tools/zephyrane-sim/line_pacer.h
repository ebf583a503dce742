#pragma once
// Sends lines at the pace of a serial line: at 8N1 each byte takes ten bit times, so a
// 4800 baud line carries 480 bytes a second. A line is sent when it is due and the line has
// finished the bytes before it. While the reading side has set another speed it hears
// noise instead: bytes of the same count that hold neither '$' nor a line feed.

#include "platform/serial_device.h"
#include "tools/zephyrane-sim/pseudo_terminal.h"

#include <atomic>
#include <chrono>
#include <random>
#include <string>

// Bytes a line at the wrong speed shows instead of the text.
std::string LineNoise(size_t nBytes, std::mt19937& random);

class CLinePacer
{
public:
    using Clock = std::chrono::steady_clock;

    CLinePacer(CPseudoTerminal& terminal, int nBaudRate);

    // Starts the line's timing now: due times count from here.
    void Begin();
    // Carries on through another terminal after a gap of dGapSeconds in which nothing was
    // sent: the due times move on by the gap, so the line goes on where it stopped.
    void Resume(CPseudoTerminal& terminal, double dGapSeconds);
    // Waits until the line is due and free, then sends it (or noise). Returns false without
    // sending when bStop became set while waiting.
    bool Send(double dDue, const std::string& strBytes, const std::atomic<bool>& bStop);
    // The time since Begin, in seconds.
    double Elapsed() const;

private:
    CPseudoTerminal* m_pTerminal;
    int m_nBaudRate;
    speed_t m_speed;
    Clock::time_point m_start;
    Clock::time_point m_lineFree;
    std::mt19937 m_random{20261209};
};
