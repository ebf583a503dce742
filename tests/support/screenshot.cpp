#include "tests/support/screenshot.h"

#include <QDir>
#include <QPixmap>
#include <QWidget>

std::string SaveScreenshot(QWidget& widget, const std::string& strName)
{
    const QString folder = QStringLiteral(ZEP_BINARY_DIR "/screenshots");
    if (!QDir().mkpath(folder))
        return {};
    const QString path = folder + '/' + QString::fromStdString(strName) + ".png";
    return widget.grab().save(path) ? path.toStdString() : std::string();
}
