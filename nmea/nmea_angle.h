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
// right; a text too short to hold degrees and minutes, or whose minutes are too large
// for a double, gives 0.
double NmeaAngleToRadians(std::string_view angle, std::string_view hemisphere, AngleKind kind);

// Whether a latitude and longitude in radians name a place on Earth: finite, within ±90°
// and ±180°. A corrupted field (such as "4807.E38") gives an angle that is none; such a
// position is left out wherever positions are shown, plotted or averaged.
bool IsPosition(double dLatitude, double dLongitude);
