#include "platform/disk_space.h"

#include <algorithm>
#include <sys/statvfs.h>

int UsedShare(const SDiskSpace& space, int nRange)
{
    if (space.m_nTotalBytes == 0)
        return -1;
    const std::uint64_t nUsed = space.m_nTotalBytes - std::min(space.m_nAvailableBytes, space.m_nTotalBytes);
    return static_cast<int>(static_cast<double>(nUsed) * nRange / static_cast<double>(space.m_nTotalBytes));
}

bool GetDiskSpace(const std::string& strFolder, SDiskSpace& space)
{
    struct statvfs info {};
    if (::statvfs(strFolder.empty() ? "." : strFolder.c_str(), &info) != 0)
        return false;
    space.m_nAvailableBytes = static_cast<std::uint64_t>(info.f_bavail) * info.f_frsize;
    space.m_nTotalBytes = static_cast<std::uint64_t>(info.f_blocks) * info.f_frsize;
    return true;
}
