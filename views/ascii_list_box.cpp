#include "views/ascii_list_box.h"

#include <QMouseEvent>
#include <QStyledItemDelegate>
#include <algorithm>
#include <cstring>

#include "platform/qt/text_codec.h"
#include "views/ascii_display.h"
#include "platform/qt/popup_menu.h"

namespace
{
bool IsControlByte(char16_t ch)
{
    return ch < 0x20 || ch == 0x7F;
}

// Leaves control bytes (the line end of every sentence among them) out of the drawn text;
// the lines themselves keep the bytes as received, and the ASCII mode names them.
class CControlFreeDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QString displayText(const QVariant& value, const QLocale&) const override
    {
        QString text = value.toString();
        text.removeIf([](QChar ch) { return IsControlByte(ch.unicode()); });
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
    // The bracketed pieces of the other modes count at their own width per character, since
    // guillemets and dollar signs may be wider than digits.
    return std::max(fontMetrics().horizontalAdvance(QLatin1Char('0')), ModePieces().nCharWidth) + 1;
}

int CAsciiListBox::LineWidth() const
{
    // A line takes one more piece once the estimate says it still has room, so the room of
    // one piece is kept free: otherwise the last piece of a line would run past the edge,
    // where no scroll bar reaches it (a whole bracketed byte in the HEX mode).
    return std::max(0, viewport()->width() - ModePieces().nWidest);
}

const CAsciiListBox::SPieceWidths& CAsciiListBox::ModePieces() const
{
    static const SPieceWidths kNone{};
    const auto nMode = static_cast<std::size_t>(m_nMode);
    if (nMode >= m_pieceWidths.size())
        return kNone;
    SPieceWidths& widths = m_pieceWidths[nMode];
    if (widths.nWidest < 0)
    {
        widths = SPieceWidths{};
        const QFontMetrics metrics = fontMetrics();
        for (int nByte = 0; nByte < 256; ++nByte)
        {
            const std::string piece = FormatDisplayPiece(static_cast<unsigned char>(nByte), m_nMode);
            if (piece.size() == 1 && IsControlByte(static_cast<char16_t>(nByte)))
                continue;  // drawn as nothing
            const int nWidth = metrics.horizontalAdvance(ToQString(piece));
            widths.nWidest = std::max(widths.nWidest, nWidth);
            if (piece.size() > 1)
            {
                const int nLength = static_cast<int>(piece.size());
                widths.nCharWidth = std::max(widths.nCharWidth, (nWidth + nLength - 1) / nLength);
            }
        }
    }
    return widths;
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
        FormatDisplayLines(pData, nLength, m_nMode, AverageCharWidth(), LineWidth());
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
