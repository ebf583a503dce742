#include "tools/zephyrane-sim/line_pacer.h"

#include <algorithm>
#include <thread>

std::string LineNoise(size_t nBytes, std::mt19937& random)
{
    // Framing errors at the wrong speed mostly come out as bytes with the top bit set.
    std::uniform_int_distribution<int> byte(0x80, 0xFF);
    std::string strNoise(nBytes, '\0');
    for (char& c : strNoise)
        c = static_cast<char>(byte(random));
    return strNoise;
}

CLinePacer::CLinePacer(CPseudoTerminal& terminal, int nBaudRate)
    : m_pTerminal(&terminal)
    , m_nBaudRate(nBaudRate)
    , m_speed(SpeedOfBaudRate(nBaudRate))
{
    Begin();
}

void CLinePacer::Begin()
{
    m_start = Clock::now();
    m_lineFree = m_start;
}

void CLinePacer::Resume(CPseudoTerminal& terminal, double dGapSeconds)
{
    m_pTerminal = &terminal;
    auto gap = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(dGapSeconds));
    m_start += gap;
    m_lineFree += gap;
}

double CLinePacer::Elapsed() const
{
    return std::chrono::duration<double>(Clock::now() - m_start).count();
}

bool CLinePacer::Send(double dDue, const std::string& strBytes, const std::atomic<bool>& bStop)
{
    auto due = m_start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(dDue));
    auto sendAt = std::max(due, m_lineFree);
    // Short sleeps, so that a stop is seen soon.
    while (Clock::now() < sendAt)
    {
        if (bStop)
            return false;
        std::this_thread::sleep_for(std::min<Clock::duration>(sendAt - Clock::now(), std::chrono::milliseconds(50)));
    }
    if (m_pTerminal->LineSpeed() == m_speed)
        m_pTerminal->Write(strBytes);
    else
        m_pTerminal->Write(LineNoise(strBytes.size(), m_random));
    double dLineSeconds = static_cast<double>(strBytes.size()) * 10.0 / m_nBaudRate;
    m_lineFree = sendAt + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(dLineSeconds));
    return true;
}
