#include "platform/drives.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
std::string AsFolder(std::string path)
{
    if (!path.empty() && path.back() != '/')
        path += '/';
    return path;
}

std::string EnvironmentPath(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && IsAbsolutePath(value) ? std::string(value) : std::string();
}

std::string HomeFolder()
{
    std::string home = EnvironmentPath("HOME");
    if (!home.empty())
        return home;
    // No usable $HOME: the account's home folder from the user database.
    passwd entry{};
    passwd* found = nullptr;
    char buffer[4096];
    if (getpwuid_r(getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found != nullptr &&
        IsAbsolutePath(found->pw_dir))
        return found->pw_dir;
    return std::string();
}
} // namespace

bool IsAbsolutePath(const std::string& path)
{
    return !path.empty() && path.front() == '/';
}

std::string DriveRoot(char drive)
{
    switch (std::toupper(static_cast<unsigned char>(drive)))
    {
    case 'C':
    {
        const std::string overridden = EnvironmentPath("ZEPHYRANE_DRIVE_C");
        return AsFolder(overridden.empty() ? HomeFolder() : overridden);
    }
    case 'D':
        return AsFolder(EnvironmentPath("ZEPHYRANE_DRIVE_D"));
    case 'E':
        return AsFolder(EnvironmentPath("ZEPHYRANE_DRIVE_E"));
    default:
        return std::string();
    }
}

bool IsFixedDisk(char drive)
{
    const std::string root = DriveRoot(drive);
    if (root.empty())
        return false;
    if (std::toupper(static_cast<unsigned char>(drive)) == 'C')
        return true;
    return FolderExists(root) && access(root.c_str(), W_OK | X_OK) == 0;
}

char SystemDrive()
{
    return 'C';
}

bool FolderExists(const std::string& path)
{
    struct stat info{};
    return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

EMakeFolder MakeFolder(const std::string& path)
{
    if (path.empty())
        return EMakeFolder::Failed;
    if (mkdir(path.c_str(), 0777) == 0)
        return EMakeFolder::Created;
    // Something else of that name is not a folder we can use.
    return errno == EEXIST && FolderExists(path) ? EMakeFolder::AlreadyExists : EMakeFolder::Failed;
}
