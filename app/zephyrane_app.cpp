#include "app/zephyrane_app.h"

#include "app/zephyrane_dlg.h"
#include "platform/program_launcher.h"
#include "platform/program_name.h"
#include "platform/qt/font_substitutes.h"
#include "platform/qt/message_box_prompt.h"
#include "resources/images.h"
#include "settings/storage.h"

#include <QApplication>

bool CZephyraneApp::InitInstance()
{
    // The maker's name is where the toolkit would keep its settings; the program's own
    // settings live in its configuration files.
    QApplication::setOrganizationName("Brivon Technology Limited");
    QApplication::setApplicationName(QString::fromStdString(ProgramName()));
    QApplication::setStyle("Fusion");
    QApplication::setWindowIcon(LoadIconResource(kIconApp));
    InstallFontSubstitutes();
    // The launcher hides while its windows run; the program ends with the launcher only.
    QApplication::setQuitOnLastWindowClosed(false);

    CMessageBoxPrompt prompt;
    if (!HasDataDrive())
        prompt.Message("No home folder: settings and logs will not be kept. Set HOME to your home folder.",
                       "Zephyrane");
    CProcessLauncher launcher;
    CZephyraneDlg dlg(prompt, launcher);
    dlg.DoModal();
    return false;
}
