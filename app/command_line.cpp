#include "app/command_line.h"

SZephyraneCommandLine ParseZephyraneCommandLine(const std::vector<std::string>& args)
{
    SZephyraneCommandLine commandLine;
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h")
            commandLine.m_bHelp = true;
        else if (arg == "--version")
            commandLine.m_bVersion = true;
        else if (arg.starts_with("--")) {
            commandLine.m_strError = "unknown option " + arg;
            return commandLine;
        }
    }
    return commandLine;
}
