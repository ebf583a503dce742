#include "platform/disk_space.h"

#include <sys/statvfs.h>

bool GetDiskSpace(const std::string& strFolder, SDiskSpace& space)
{
    struct statvfs info {};
    if (::statvfs(strFolder.empty() ? "." : strFolder.c_str(), &info) != 0)
        return false;
    space.m_nAvailableBytes = static_cast<std::uint64_t>(info.f_bavail) * info.f_frsize;
    space.m_nTotalBytes = static_cast<std::uint64_t>(info.f_blocks) * info.f_frsize;
    return true;
}
