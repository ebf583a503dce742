#include "views/colour_list_box.h"

#include "platform/qt/theme.h"

#include <QPalette>

CColourListBox::CColourListBox(QWidget* pParent) : CListBox(pParent) {}

void CColourListBox::SetBackgroundBrush(const QBrush& brush)
{
    m_brBackground = brush;
    QPalette palette = this->palette();
    palette.setBrush(QPalette::All, QPalette::Base, brush);
    palette.setColor(QPalette::All, QPalette::Text, theme::kText);
    setPalette(palette);
}
