// Zephyrane: the desktop monitor for a USB GPS receiver.
#include "app/command_line.h"
#include "app/zephyrane_app.h"
#include "platform/installation.h"
#include "platform/program_name.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    // Help and version are answered before the toolkit starts, so they need no display.
    const SZephyraneCommandLine commandLine =
        ParseZephyraneCommandLine(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
    if (!commandLine.m_strError.empty()) {
        std::fprintf(stderr, "zephyrane: %s\n%s", commandLine.m_strError.c_str(), kZephyraneHelp.c_str());
        return 2;
    }
    if (commandLine.m_bHelp) {
        std::fputs(kZephyraneHelp.c_str(), stdout);
        return 0;
    }
    if (commandLine.m_bVersion) {
        std::printf("zephyrane %s\n", ProgramVersion());
        return 0;
    }

    // The program's own file name names its settings folder.
    SetProgramName(argc > 0 ? argv[0] : "zephyrane");
    // A receiver named on the command line is read for this run only.
    SetReceiverOverride(commandLine.m_receiver);
    QApplication app(argc, argv);
    CZephyraneApp theApp;
    theApp.InitInstance();
    return 0;
}
