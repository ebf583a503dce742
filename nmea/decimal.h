#pragma once

#include <cstdint>
#include <string_view>

// Conversions of number texts that are defined for every input: they read the longest
// valid prefix (leading white space skipped) and give 0 when there is none.

// Optional sign and decimal digits; saturates at the 32-bit limits.
std::int32_t ParseDecimalInt(std::string_view text);

// Optional sign, digits with an optional point, optional exponent ('e' or 'E'); saturates
// at the largest finite double, so the result is always finite.
double ParseDecimalDouble(std::string_view text);

// White space as the C locale's isspace knows it, safe for any byte value.
constexpr bool IsWhiteSpace(char ch)
{
    return ch == ' ' || (ch >= '\t' && ch <= '\r');
}
