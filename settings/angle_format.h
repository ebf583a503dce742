#pragma once
// Texts of angles held in radians: degrees, minutes and seconds (format 0), degrees and
// decimal minutes (1), decimal degrees with a letter (2), signed decimal degrees (3),
// gon with a letter (4), or the format stored in the settings files "Angle Settings" and
// "Geographicals Settings" (5). The unit mark of the field that carries the decimals
// stands in front of its decimal point: 51° 28'.6380N. Texts are Windows-1252 (degree
// sign 0xB0).
//
// Kinds: 1 signed, 2 unsigned, 3 signed with two degree digits, 4 the complement
// (pi/2 minus the value), 5 latitude (N/S), 6 longitude (E/W), 7 to 9 like 2, 3 and 1
// with two decimals by default.

#include <string>

inline constexpr double kDegreesPerRadian = 57.2957795131;
inline constexpr double kGonPerRadian = kDegreesPerRadian * 10.0 / 9.0;
inline constexpr double kHalfPi = 1.5707963267948966;
// Angles equal to this sentinel format as the empty text; -1.0 formats as "n/a".
inline constexpr double kNoAngle = 1.7976931348623157e308;

struct SDegreesSplit
{
    int m_nDegrees = 0;
    int m_nMinutes = 0;
    double m_dSeconds = 0.0;
    int m_nSign = 1; // +1 or -1
};

struct SStoredAngleFormat
{
    int m_nFormat = 1;
    int m_nPrecision = 7;
    char m_cLetter = ' ';
};

// `precision` below 0 or above 32 asks for the default precision (pass -1).
std::string FormatAngle(int kind, double value, int format, int precision);

// Whole degrees, whole minutes and seconds of an angle in radians, the seconds rounded
// into the minutes when they would show as 60 with `precision` decimals.
SDegreesSplit SplitDegrees(double value, int precision);

// Moves the unit mark that follows the digits after the first '.' to just before it.
void MoveUnitMark(std::string& text);

int DefaultPrecision(int kind, int format);

// The format, precision and letter stored for `kind`: "Geographicals Settings" for
// kinds 5 and 6, "Angle Settings" for the others. A file that cannot be opened gives
// format 1, precision 7 and the letter N (kind 5) or E (kind 6).
SStoredAngleFormat ReadStoredAngleFormat(int kind);
