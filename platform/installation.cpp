#include "platform/installation.h"

#include <filesystem>
#include <system_error>

// ZEP_VERSION and ZEP_HELPERS_FROM_BINDIR come from the build (platform/CMakeLists.txt).

const char* ProgramVersion()
{
    return ZEP_VERSION;
}

std::string HelperProgramsFolderOf(const std::string& strExecutable)
{
    if (strExecutable.empty())
        return {};
    const std::filesystem::path folder = std::filesystem::path(strExecutable).parent_path() / ZEP_HELPERS_FROM_BINDIR;
    std::string result = folder.lexically_normal().string();
    if (!result.ends_with('/'))
        result += '/';
    return result;
}

std::string HelperProgramsFolder()
{
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : HelperProgramsFolderOf(executable.string());
}
