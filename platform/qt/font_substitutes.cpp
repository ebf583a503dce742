#include "platform/qt/font_substitutes.h"

#include <QFont>
#include <QStringList>

void InstallFontSubstitutes()
{
    const QStringList faces = {"Tahoma", "Microsoft Sans Serif", "Liberation Sans", "Arimo", "Nimbus Sans"};
    for (const char* alias : {"MS Shell Dlg", "MS Shell Dlg 2", "MS Sans Serif"})
        QFont::insertSubstitutions(alias, faces);
}
