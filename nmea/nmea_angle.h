#pragma once

#include <string_view>

// Degrees to radians, with the factor the whole system uses (not a more precise pi/180).
inline constexpr double kNmeaDegToRad = 0.017453292519943;

enum class AngleKind
{
    Latitude,   // ddmm.mmmm, hemisphere 'S' negates
    Longitude,  // dddmm.mmmm, hemisphere 'W' negates
};

// The angle of an NMEA latitude or longitude field in radians, north and east positive.
// Receivers that drop leading zeros ("512.34" for 5 degrees 12.34 minutes) are read
// right; a text too short to hold degrees and minutes gives 0.
double NmeaAngleToRadians(std::string_view angle, std::string_view hemisphere, AngleKind kind);
