#pragma once
// A list box drawn white on the background its owner gives it (the windows give it the
// theme's dark grey). Without a background it keeps the ordinary list colours.
#include "platform/qt/list_box.h"

#include <QBrush>

class CColourListBox : public CListBox {
    Q_OBJECT
public:
    explicit CColourListBox(QWidget* pParent = nullptr);

    void SetBackgroundBrush(const QBrush& brush);
    const QBrush& GetBackgroundBrush() const { return m_brBackground; }

private:
    QBrush m_brBackground;
};
