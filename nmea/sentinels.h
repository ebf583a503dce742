#pragma once

#include <cstdint>
#include <limits>

// Values that stand for a number the sentence did not carry (empty field, '?', or no
// field left). Decoders and their callers compare against these exact values.
inline constexpr std::int32_t kNmeaAbsentInt = std::numeric_limits<std::int32_t>::max();
inline constexpr double kNmeaAbsentDouble = std::numeric_limits<double>::max();

// A count for display: one the sentence left empty shows as 0, not as the absent marker.
inline constexpr std::int32_t CountOrZero(std::int32_t nCount)
{
    return nCount == kNmeaAbsentInt ? 0 : nCount;
}
