#pragma once
// The one dark theme of every window: its colours and how a window takes them on.
#include <QBrush>
#include <QColor>

class QWidget;

namespace theme {

inline const QColor kBackground{85, 85, 85};          // dialogs, pages, sheets, list boxes
inline const QColor kText{255, 255, 255};             // static texts, lists, captions, menus
inline const QColor kButtonFace{0, 123, 204};         // push button, normal and pressed
inline const QColor kButtonHoverFace{0, 0, 255};      // push button under the mouse
inline const QColor kDisabledButtonFace{128, 128, 128};
inline const QColor kDisabledCaption{192, 192, 192};
inline const QColor kSelectedMenuItem{51, 153, 255};

// Gives a window and the static texts inside it the background and text colours. Buttons,
// lists and other controls keep their own colours.
void ApplyWindowColours(QWidget& window, const QBrush& brBackground, const QColor& crText);

} // namespace theme
