// Zephyrane: the desktop monitor for a USB GPS receiver.
#include "app/interim_launcher.h"
#include "platform/program_name.h"
#include "platform/qt/font_substitutes.h"
#include "platform/qt/message_box_prompt.h"
#include "serial/com_ports_available_dlg.h"

#include <QApplication>

int main(int argc, char** argv)
{
    // The program's own file name names its settings folder.
    SetProgramName(argc > 0 ? argv[0] : "zephyrane");
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Brivon Technology Limited");
    QApplication::setApplicationName(QString::fromStdString(ProgramName()));
    QApplication::setStyle("Fusion");
    InstallFontSubstitutes();

    CMessageBoxPrompt prompt;
    CInterimLauncher launcher;
    launcher.AddWindow("Com Ports Available", [&prompt] {
        CComPortsAvailableDlg dlg(prompt);
        dlg.DoModal();
    });
    launcher.show();
    return QApplication::exec();
}
