#include "tools/zephyrane-sim/synthetic_receiver.h"

#include "nmea/sentence.h"
#include "platform/c_format.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace
{

// Greenwich, with the geoid some 46 m above the ellipsoid there.
constexpr double kLatitude = 51.477811;
constexpr double kLongitude = -0.001475;
constexpr double kHeight = 45.3;
constexpr double kSeparation = 46.0;
constexpr double kMetresPerDegree = 111320.0;
constexpr double kMetresPerSecondInKnots = 3600.0 / 1852.0;
constexpr int kMaxPrn = 32;

double Radians(double dDegrees)
{
    return dDegrees * std::numbers::pi / 180.0;
}

std::string WithChecksum(const std::string& strBody)
{
    return strBody + FormatC("*%02X\r\n", NmeaChecksum(strBody));
}

// ddmm.mmmm,N or dddmm.mmmm,E
std::string Angle(double dDegrees, int nDegreeDigits, char cPositive, char cNegative)
{
    // Rounded to the digits written first, so that minutes never show as 60.
    double dAbs = std::round(std::fabs(dDegrees) * 60.0 * 1e4) / (60.0 * 1e4);
    int nDegrees = static_cast<int>(dAbs);
    double dMinutes = std::round((dAbs - nDegrees) * 60.0 * 1e4) / 1e4;
    if (dMinutes >= 60.0)
    {
        ++nDegrees;
        dMinutes -= 60.0;
    }
    return FormatC("%0*d%07.4f,%c", nDegreeDigits, nDegrees, dMinutes, dDegrees < 0 ? cNegative : cPositive);
}

} // namespace

CSyntheticReceiver::CSyntheticReceiver(const SClockTime& start, std::uint32_t nSeed)
    : m_nStartMs(ToEpochMilliseconds(start) / 1000 * 1000)
    , m_random(nSeed)
{
    for (int n = TargetCount(0.0); n > 0; --n)
        AddPass(0.0, true);
}

int CSyntheticReceiver::TargetCount(double dSeconds) const
{
    // Between 8 and 12, changing over a ten-minute cycle.
    return 10 + static_cast<int>(std::lround(2.0 * std::sin(2.0 * std::numbers::pi * dSeconds / 600.0)));
}

void CSyntheticReceiver::AddPass(double dSeconds, bool bMidPass)
{
    std::vector<int> free;
    for (int nPrn = 1; nPrn <= kMaxPrn; ++nPrn)
        if (std::none_of(m_passes.begin(), m_passes.end(), [nPrn](const SPass& pass) { return pass.m_nPrn == nPrn; }))
            free.push_back(nPrn);
    if (free.empty())
        return;
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    SPass pass;
    pass.m_nPrn = free[static_cast<size_t>(unit(m_random) * static_cast<double>(free.size())) % free.size()];
    pass.m_dLength = 3600.0 * (3.0 + 3.0 * unit(m_random));
    // A satellite already up is somewhere along its pass; a new one is just rising.
    pass.m_dStart = dSeconds - (bMidPass ? (0.1 + 0.8 * unit(m_random)) : 0.01) * pass.m_dLength;
    pass.m_dMaxElevation = 25.0 + 63.0 * unit(m_random);
    pass.m_dAzimuthRise = 360.0 * unit(m_random);
    pass.m_dAzimuthSet = pass.m_dAzimuthRise + 100.0 + 160.0 * unit(m_random);
    m_passes.push_back(pass);
}

void CSyntheticReceiver::UpdateSky(double dSeconds)
{
    std::erase_if(m_passes, [dSeconds](const SPass& pass) { return dSeconds >= pass.m_dStart + pass.m_dLength; });
    while (static_cast<int>(m_passes.size()) < TargetCount(dSeconds) && static_cast<int>(m_passes.size()) < kMaxPrn)
        AddPass(dSeconds, false);

    std::normal_distribution<double> snrNoise(0.0, 1.5);
    m_satellites.clear();
    for (const SPass& pass : m_passes)
    {
        double dPart = (dSeconds - pass.m_dStart) / pass.m_dLength;
        SSimSatellite sat;
        sat.m_nPrn = pass.m_nPrn;
        sat.m_dElevation = pass.m_dMaxElevation * std::sin(std::numbers::pi * dPart);
        sat.m_dAzimuth = std::fmod(pass.m_dAzimuthRise + (pass.m_dAzimuthSet - pass.m_dAzimuthRise) * dPart, 360.0);
        double dSnr = 18.0 + 32.0 * std::sin(Radians(sat.m_dElevation)) + snrNoise(m_random);
        sat.m_nSnr = std::clamp(static_cast<int>(std::lround(dSnr)), 10, 55);
        sat.m_bUsed = sat.m_dElevation >= 10.0 && sat.m_nSnr >= 25;
        m_satellites.push_back(sat);
    }
    std::sort(m_satellites.begin(), m_satellites.end(),
              [](const SSimSatellite& a, const SSimSatellite& b) { return a.m_nPrn < b.m_nPrn; });
}

// A fix wanders by a metre or two around the true place; its changes make the speed and
// course a standing receiver reports.
void CSyntheticReceiver::Wander()
{
    std::normal_distribution<double> step(0.0, 0.6);
    double dNorth = 0.85 * m_dNorth + step(m_random);
    double dEast = 0.85 * m_dEast + step(m_random);
    m_dHeightNoise = 0.9 * m_dHeightNoise + 2.0 * step(m_random);
    double dMoveNorth = dNorth - m_dNorth;
    double dMoveEast = dEast - m_dEast;
    m_dSpeedKnots = std::hypot(dMoveNorth, dMoveEast) * kMetresPerSecondInKnots;
    m_dCourse = std::fmod(std::atan2(dMoveEast, dMoveNorth) * 180.0 / std::numbers::pi + 360.0, 360.0);
    m_dNorth = dNorth;
    m_dEast = dEast;
}

std::vector<std::string> CSyntheticReceiver::Epoch(int nSecond)
{
    UpdateSky(nSecond);
    Wander();
    SClockTime utc = FromEpochMilliseconds(m_nStartMs + static_cast<std::int64_t>(nSecond) * 1000);
    std::string strTime = FormatC("%02d%02d%02d.00", utc.m_nHour, utc.m_nMinute, utc.m_nSecond);
    std::string strDate = FormatC("%02d%02d%02d", utc.m_nDay, utc.m_nMonth, utc.m_nYear % 100);
    double dLatitude = kLatitude + m_dNorth / kMetresPerDegree;
    double dLongitude = kLongitude + m_dEast / (kMetresPerDegree * std::cos(Radians(kLatitude)));
    std::string strPlace = Angle(dLatitude, 2, 'N', 'S') + "," + Angle(dLongitude, 3, 'E', 'W');

    std::vector<int> used;
    for (const SSimSatellite& sat : m_satellites)
        if (sat.m_bUsed && used.size() < 12)
            used.push_back(sat.m_nPrn);
    double dHdop = 0.6 + 4.0 / std::max<double>(static_cast<double>(used.size()), 1.0);
    double dPdop = dHdop * 1.7;
    double dVdop = dHdop * 1.35;

    std::vector<std::string> lines;
    lines.push_back(WithChecksum(FormatC("$GPGGA,%s,%s,1,%02zu,%.1f,%.1f,M,%.1f,M,,", strTime.c_str(), strPlace.c_str(),
                                         used.size(), dHdop, kHeight + m_dHeightNoise, kSeparation)));
    std::string strGsa = "$GPGSA,A,3";
    for (size_t n = 0; n < 12; ++n)
        strGsa += n < used.size() ? FormatC(",%02d", used[n]) : std::string(",");
    lines.push_back(WithChecksum(strGsa + FormatC(",%.1f,%.1f,%.1f", dPdop, dHdop, dVdop)));

    size_t nGroup = (m_satellites.size() + 3) / 4;
    for (size_t nMessage = 0; nMessage < nGroup; ++nMessage)
    {
        std::string strGsv = FormatC("$GPGSV,%zu,%zu,%02zu", nGroup, nMessage + 1, m_satellites.size());
        for (size_t n = nMessage * 4; n < std::min(m_satellites.size(), nMessage * 4 + 4); ++n)
        {
            const SSimSatellite& sat = m_satellites[n];
            strGsv += FormatC(",%02d,%02ld,%03ld,%02d", sat.m_nPrn, std::lround(sat.m_dElevation),
                              std::lround(sat.m_dAzimuth) % 360, sat.m_nSnr);
        }
        lines.push_back(WithChecksum(strGsv));
    }
    lines.push_back(WithChecksum(FormatC("$GPRMC,%s,A,%s,%.2f,%.1f,%s,,,A", strTime.c_str(), strPlace.c_str(),
                                         m_dSpeedKnots, m_dCourse, strDate.c_str())));
    lines.push_back(WithChecksum(FormatC("$GPGLL,%s,%s,A,A", strPlace.c_str(), strTime.c_str())));
    lines.push_back(WithChecksum(FormatC("$GPVTG,%.1f,T,,M,%.2f,N,%.2f,K,A", m_dCourse, m_dSpeedKnots,
                                         m_dSpeedKnots * 1.852)));
    return lines;
}

bool CSyntheticReceiver::Next(double dNow, STimedLine& line)
{
    if (m_nPendingAt == m_pending.size())
    {
        // A line too slow for a whole epoch a second makes the receiver skip a second now
        // and then, as a real one does, rather than fall ever further behind.
        m_nSecond = std::max(m_nSecond, static_cast<int>(dNow));
        m_pending = Epoch(m_nSecond++);
        m_nPendingAt = 0;
    }
    line.m_dDue = m_nSecond - 1;
    line.m_strBytes = m_pending[m_nPendingAt++];
    return true;
}
