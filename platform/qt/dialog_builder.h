#pragma once
// Creates the widgets of a window from its dialog template. Dialog units become pixels
// with the base units of an 8-point dialog font at 96 dpi (6 by 13 pixels), so windows
// keep their proportions.
#include "resources/dialog_template.h"

#include <QRect>
#include <functional>
#include <map>

class QFont;
class QWidget;

inline int DluToPixelsX(int nDlu) { return nDlu * 6 / 4; }
inline int DluToPixelsY(int nDlu) { return nDlu * 13 / 8; }
QRect DluRectToPixels(int x, int y, int cx, int cy);
QSize TemplateClientSize(const SDlgTemplate& dlg);
QFont TemplateFont(const SDlgTemplate& dlg);

// The controls of one window. A window may bind its own widget to an identifier before
// the controls are created (a themed button for a push button, say): the builder then
// places and labels that widget instead of creating one.
class CDialogControls {
public:
    using CommandHandler = std::function<void(int nId)>;

    void Bind(int nId, QWidget& control);
    // Creates the controls inside owner in template order (which is also the tab order) and
    // gives owner the template's font. A click on a push button calls onCommand with its id.
    void Create(const SDlgTemplate& dlg, QWidget& owner, const CommandHandler& onCommand);
    bool IsCreated() const { return m_bCreated; }
    // The control with that identifier, or null (also before the controls exist).
    QWidget* Get(int nId) const;

private:
    std::map<int, QWidget*> m_bound;
    std::map<int, QWidget*> m_controls;
    bool m_bCreated = false;
};
