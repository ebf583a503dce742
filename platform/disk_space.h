#pragma once

#include <cstdint>
#include <string>

// The space of the volume that holds a folder, as the calling user sees it.
struct SDiskSpace
{
    std::uint64_t m_nAvailableBytes = 0;  // free bytes the caller may use
    std::uint64_t m_nTotalBytes = 0;
};

// The used part of the volume on a scale of 0 to nRange, truncated: (total - available) *
// nRange / total. -1 when the total is 0.
int UsedShare(const SDiskSpace& space, int nRange);

// False when the folder's volume cannot be asked.
bool GetDiskSpace(const std::string& strFolder, SDiskSpace& space);
