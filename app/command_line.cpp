#include "app/command_line.h"

SZephyraneCommandLine ParseZephyraneCommandLine(const std::vector<std::string>& args)
{
    SZephyraneCommandLine commandLine;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (i + 1 < args.size() && TakeReceiverOption(arg, args[i + 1], commandLine.m_receiver))
            ++i;
        else if (IsNetworkReceiverOption(arg)) {
            if (!TakeNetworkReceiverOption(args, i, commandLine.m_receiver, commandLine.m_strError))
                return commandLine;
        }
        else if (arg == "--help" || arg == "-h")
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
