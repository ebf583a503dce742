#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// One satellite in view. A PRN of 0 marks an empty slot.
struct SSatInfo
{
    std::uint32_t m_nPrn = 0;        // 1..99
    std::uint32_t m_nElevation = 0;  // degrees above the horizon, 0..90
    std::uint32_t m_nAzimuth = 0;    // degrees from true north, 0..360
    std::uint32_t m_nSnr = 0;        // dB, 0..100; 0 when not tracked
    bool m_bUsed = false;            // listed as used by the last GSA sentence

    bool operator==(const SSatInfo&) const = default;
};

// Satellite tables hold exactly 24 entries; GSV message k fills entries 4(k-1)..4(k-1)+3.
inline constexpr std::size_t kSatTableSize = 24;
using SSatTable = std::array<SSatInfo, kSatTableSize>;
