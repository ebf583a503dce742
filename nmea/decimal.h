#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <string_view>

// Conversions of number texts that are defined for every input: they read the longest
// valid prefix (leading white space skipped) and give 0 when there is none.

// Optional sign and decimal digits; saturates at the 32-bit limits.
std::int32_t ParseDecimalInt(std::string_view text);

// Optional sign, digits with an optional point, optional exponent ('e' or 'E'); saturates
// at the largest finite double, so the result is always finite.
double ParseDecimalDouble(std::string_view text);

// Whether a result of the conversions above is a saturated one, from a number beyond the
// type's range (the extreme values themselves count too; no NMEA field holds them).
inline bool IsSaturated(std::int32_t nValue)
{
    return nValue == std::numeric_limits<std::int32_t>::max() || nValue == std::numeric_limits<std::int32_t>::min();
}
inline bool IsSaturated(double dValue)
{
    return std::fabs(dValue) == std::numeric_limits<double>::max();
}

// White space as the C locale's isspace knows it, safe for any byte value.
constexpr bool IsWhiteSpace(char ch)
{
    return ch == ' ' || (ch >= '\t' && ch <= '\r');
}
