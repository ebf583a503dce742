#include "platform/program_name.h"

#include <cerrno>
#include <mutex>

namespace
{
std::mutex g_nameMutex;
std::string g_strName;
bool g_bNameSet = false;
} // namespace

std::string ProgramNameFromCommand(const std::string& command)
{
    std::string path;
    for (char c : command)
        if (c != '"')
            path += c;
    const std::size_t slash = path.find_last_of("/\\");
    std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = file.rfind('.');
    if (dot != std::string::npos)
        file.erase(dot);
    return file;
}

void SetProgramName(const std::string& argv0)
{
    std::lock_guard lock(g_nameMutex);
    g_strName = ProgramNameFromCommand(argv0);
    g_bNameSet = true;
}

std::string ProgramName()
{
    std::lock_guard lock(g_nameMutex);
    if (g_bNameSet)
        return g_strName;
    // Not recorded: the name the process was started under (glibc keeps argv[0]).
    return ProgramNameFromCommand(program_invocation_name != nullptr ? program_invocation_name : "");
}
