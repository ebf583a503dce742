#include "views/position_text.h"

#include "settings/angle_format.h"

namespace
{
constexpr int kKindLatitude = 5;
constexpr int kKindLongitude = 6;
constexpr int kDegreesDecimalMinutes = 1;
constexpr int kDefaultPrecision = -1;
}  // namespace

std::string LatitudeText(double dLatitude)
{
    return FormatAngle(kKindLatitude, dLatitude, kDegreesDecimalMinutes, kDefaultPrecision);
}

std::string LongitudeText(double dLongitude)
{
    return FormatAngle(kKindLongitude, dLongitude, kDegreesDecimalMinutes, kDefaultPrecision);
}
