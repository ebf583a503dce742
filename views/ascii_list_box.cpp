#include "views/ascii_list_box.h"

#include <QMouseEvent>
#include <QStyledItemDelegate>
#include <cstring>

#include "views/ascii_display.h"
#include "views/popup_menu.h"

namespace
{
// Leaves control bytes (the line end of every sentence among them) out of the drawn text;
// the lines themselves keep the bytes as received, and the ASCII mode names them.
class CControlFreeDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QString displayText(const QVariant& value, const QLocale&) const override
    {
        QString text = value.toString();
        text.removeIf([](QChar ch) { return ch.unicode() < 0x20 || ch.unicode() == 0x7F; });
        return text;
    }
};
} // namespace

CAsciiListBox::CAsciiListBox(QWidget* pParent) : CColourListBox(pParent)
{
    setItemDelegate(new CControlFreeDelegate(this));
    SetSorted(false);
    SetSelectable(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Lines are broken to the list's width; a line end at the end of a line is not cut
    // off with an ellipsis.
    setTextElideMode(Qt::ElideNone);
}

int CAsciiListBox::AverageCharWidth() const
{
    // Sentences are mostly digits and capitals, wider than the font's average letter; one
    // pixel more than a digit's width keeps the width estimate (width - 1) per character.
    return fontMetrics().horizontalAdvance(QLatin1Char('0')) + 1;
}

void CAsciiListBox::AddText(const char* pData, std::size_t nLength)
{
    if (pData == nullptr)
        return;
    if (nLength == 0)
        nLength = std::strlen(pData);
    if (nLength == 0)
        return;
    const int nItemHeight = GetItemHeight();
    if (nItemHeight == 0)
        return;
    const int nVisible = viewport()->height() / nItemHeight;
    if (nVisible <= 0)
        return;
    const std::vector<std::string> lines =
        FormatDisplayLines(pData, nLength, m_nMode, AverageCharWidth(), viewport()->width());
    const std::size_t nKeep =
        LinesToKeep(static_cast<std::size_t>(GetCount()), lines.size(), nVisible);
    setUpdatesEnabled(false);
    while (static_cast<std::size_t>(GetCount()) > nKeep)
        DeleteString(GetCount() - 1);
    for (auto it = lines.rbegin(); it != lines.rend(); ++it)
        InsertString(0, *it);
    setUpdatesEnabled(true);
}

void CAsciiListBox::mousePressEvent(QMouseEvent* pEvent)
{
    if (pEvent->button() == Qt::RightButton && m_bMenu)
        ShowModeMenu(pEvent->globalPosition().toPoint());
    CColourListBox::mousePressEvent(pEvent);
}

void CAsciiListBox::ShowModeMenu(const QPoint& ptScreen)
{
    CPopupMenu menu(this);
    menu.AppendItem(kCmdNormal, "Normal");
    menu.AppendItem(kCmdAscii, "ASCII");
    menu.AppendItem(kCmdDecimal, "Decimal");
    menu.AppendItem(kCmdHex, "HEX");
    switch (menu.TrackPopupMenu(ptScreen))
    {
    case kCmdNormal:
        m_nMode = kModeNormal;
        break;
    case kCmdAscii:
        m_nMode = kModeAscii;
        break;
    case kCmdDecimal:
        m_nMode = kModeDecimal;
        break;
    case kCmdHex:
        m_nMode = kModeHex;
        break;
    default:
        break;
    }
}
