#pragma once
// A synthesised GPS receiver: it stands at a fixed place with the small wander of a real fix
// and sees 8 to 12 satellites that rise, cross the sky and set. Every second it reports
// GGA, GSA, the GSV group, RMC, GLL and VTG, as a receiver does.

#include "platform/clock.h"
#include "tools/zephyrane-sim/line_source.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

struct SSimSatellite
{
    int m_nPrn = 0;
    double m_dElevation = 0.0;  // degrees
    double m_dAzimuth = 0.0;    // degrees
    int m_nSnr = 0;             // dB-Hz
    bool m_bUsed = false;
};

class CSyntheticReceiver : public ILineSource
{
public:
    // Starts at the UTC time start; seed makes the noise repeatable.
    CSyntheticReceiver(const SClockTime& start, std::uint32_t nSeed);

    bool Next(double dNow, STimedLine& line) override;

    // The sentences of the epoch that begins nSecond seconds after the start, each with its
    // checksum and CR LF.
    std::vector<std::string> Epoch(int nSecond);
    // The satellites in view at that second, as the last Epoch saw them.
    const std::vector<SSimSatellite>& Satellites() const { return m_satellites; }

private:
    struct SPass
    {
        int m_nPrn;
        double m_dStart;  // seconds from the start of the simulation
        double m_dLength;
        double m_dMaxElevation;
        double m_dAzimuthRise;
        double m_dAzimuthSet;
    };

    void UpdateSky(double dSeconds);
    void AddPass(double dSeconds, bool bMidPass);
    int TargetCount(double dSeconds) const;
    void Wander();

    std::int64_t m_nStartMs;
    std::mt19937 m_random;
    std::vector<SPass> m_passes;
    std::vector<SSimSatellite> m_satellites;
    double m_dNorth = 0.0;  // metres from the fixed place
    double m_dEast = 0.0;
    double m_dHeightNoise = 0.0;
    double m_dSpeedKnots = 0.0;
    double m_dCourse = 0.0;
    std::vector<std::string> m_pending;
    int m_nSecond = 0;
    size_t m_nPendingAt = 0;
};
