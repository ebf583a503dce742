#pragma once
// A receiver on a pseudo-terminal for tests of the link: it sends numbered NMEA lines while
// the reading side has set the line to the feeder's speed, and bytes that are no text
// otherwise, as a line at the wrong speed would show.

#include "tests/support/pty_pair.h"

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

class CNmeaFeeder
{
public:
    CNmeaFeeder(CPtyPair& pty, speed_t speed)
        : m_pty(pty)
        , m_speed(speed)
        , m_thread([this] { Feed(); })
    {
    }
    ~CNmeaFeeder()
    {
        m_bStop = true;
        m_thread.join();
    }
    CNmeaFeeder(const CNmeaFeeder&) = delete;
    CNmeaFeeder& operator=(const CNmeaFeeder&) = delete;

    // The n-th line the feeder sends.
    static std::string Line(int n) { return "$GPGGA," + std::to_string(n) + ",,,,,0,00,,,M,,M,,*00\r\n"; }

private:
    void Feed()
    {
        int nLine = 0;
        while (!m_bStop)
        {
            termios tio = m_pty.SlaveSettings();
            if (cfgetispeed(&tio) == m_speed)
                m_pty.Write(Line(nLine++));
            else
                m_pty.Write("\xF0\x8E\xFE\xB3\x9C\xE1");
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

    CPtyPair& m_pty;
    speed_t m_speed;
    std::atomic<bool> m_bStop{false};
    std::thread m_thread;
};
