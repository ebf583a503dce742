// Zephyrane: the desktop monitor for a USB GPS receiver.
#include "app/zephyrane_app.h"
#include "platform/program_name.h"

#include <QApplication>

int main(int argc, char** argv)
{
    // The program's own file name names its settings folder.
    SetProgramName(argc > 0 ? argv[0] : "zephyrane");
    QApplication app(argc, argv);
    CZephyraneApp theApp;
    theApp.InitInstance();
    return 0;
}
