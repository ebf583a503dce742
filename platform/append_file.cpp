#include "platform/append_file.h"

#include "platform/drives.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty())
    {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}
}  // namespace

bool AppendWholeToFile(const std::string& strPath, std::string_view bytes)
{
    // A relative path would reach whatever folder the program runs in: never written.
    if (!IsAbsolutePath(strPath))
        return false;
    const int fd = ::open(strPath.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    struct stat before {};
    const bool bKnownSize = ::fstat(fd, &before) == 0;
    bool bWritten = WriteAll(fd, bytes);
    if (!bWritten && bKnownSize)
        (void)::ftruncate(fd, before.st_size);
    if (::close(fd) != 0)
        bWritten = false;
    return bWritten;
}
