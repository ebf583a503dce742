#include "nmea/nmea_angle.h"

#include <cmath>
#include <string>

#include "nmea/decimal.h"

double NmeaAngleToRadians(std::string_view angle, std::string_view hemisphere, AngleKind kind)
{
    const bool bLatitude = kind == AngleKind::Latitude;
    const std::size_t nDegreeDigits = bLatitude ? 2 : 3;
    // Where the decimal point of a full-width field stands: after degrees and two minute digits.
    const std::size_t nPointPos = nDegreeDigits + 2;
    if (angle.size() < nPointPos)
        return 0.0;

    // A receiver that drops leading zeros sends 512.34 for 5 degrees 12.34 minutes:
    // pad with zeros until the point stands where it belongs.
    std::string strAngle(angle);
    const std::size_t nPoint = strAngle.find('.');
    if (nPoint != std::string::npos && nPoint >= 1 && nPoint < nPointPos)
        strAngle.insert(0, nPointPos - nPoint, '0');

    const std::string_view text(strAngle);
    const double dDegrees = ParseDecimalDouble(text.substr(0, nDegreeDigits));
    const double dMinutes = ParseDecimalDouble(text.substr(nDegreeDigits));
    // A number too large for a double is no angle, as a field too short to read.
    if (IsSaturated(dMinutes))
        return 0.0;
    double dAngle = (dDegrees + dMinutes / 60.0) * kNmeaDegToRad;
    if (hemisphere.find(bLatitude ? 'S' : 'W') != std::string_view::npos)
        dAngle = -dAngle;
    return dAngle;
}

bool IsPosition(double dLatitude, double dLongitude)
{
    // Written so that NaN fails every comparison and is refused.
    return std::fabs(dLatitude) <= 90 * kNmeaDegToRad && std::fabs(dLongitude) <= 180 * kNmeaDegToRad;
}
