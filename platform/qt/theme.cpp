#include "platform/qt/theme.h"

#include <QPalette>
#include <QWidget>

namespace theme {

void ApplyWindowColours(QWidget& window, const QBrush& brBackground, const QColor& crText)
{
    QPalette palette = window.palette();
    palette.setBrush(QPalette::All, QPalette::Window, brBackground);
    // Disabled texts keep the style's greyed colour.
    for (auto group : {QPalette::Active, QPalette::Inactive})
        palette.setColor(group, QPalette::WindowText, crText);
    window.setPalette(palette);
    window.setAutoFillBackground(true);
}

} // namespace theme
