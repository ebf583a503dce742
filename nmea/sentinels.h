#pragma once

#include <cstdint>
#include <limits>

// Values that stand for a number the sentence did not carry (empty field, '?', or no
// field left). Decoders and their callers compare against these exact values.
inline constexpr std::int32_t kNmeaAbsentInt = std::numeric_limits<std::int32_t>::max();
inline constexpr double kNmeaAbsentDouble = std::numeric_limits<double>::max();
