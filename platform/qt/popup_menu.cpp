#include "platform/qt/popup_menu.h"

#include "platform/qt/theme.h"

#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>

namespace {

// The height of one menu line, as a menu bar line of the desktop at 96 dpi.
constexpr int kMenuLineHeight = 20;
const QColor kSeparator{128, 128, 128};

// Draws the menu's items and background itself; everything else is the application style.
class CPopupMenuStyle : public QProxyStyle {
public:
    explicit CPopupMenuStyle(const CPopupMenu& menu) : m_menu(menu) {}

    void drawControl(ControlElement element, const QStyleOption* pOption, QPainter* pPainter,
                     const QWidget* pWidget) const override
    {
        const auto* pItem = qstyleoption_cast<const QStyleOptionMenuItem*>(pOption);
        if (element == CE_MenuEmptyArea) {
            pPainter->fillRect(pOption->rect, m_menu.GetBackgroundBrush());
            return;
        }
        if (element != CE_MenuItem || !pItem) {
            QProxyStyle::drawControl(element, pOption, pPainter, pWidget);
            return;
        }
        if (pItem->menuItemType == QStyleOptionMenuItem::Separator) {
            pPainter->fillRect(pItem->rect, m_menu.GetBackgroundBrush());
            const int y = pItem->rect.center().y();
            pPainter->setPen(kSeparator);
            pPainter->drawLine(pItem->rect.left() + 2, y, pItem->rect.right() - 2, y);
            return;
        }
        const bool bSelected = (pItem->state & State_Selected) != 0;
        const bool bEnabled = (pItem->state & State_Enabled) != 0;
        const bool bChecked = pItem->checkType != QStyleOptionMenuItem::NotCheckable && pItem->checked;
        pPainter->save();
        pPainter->setFont(pItem->font);
        CPopupMenu::DrawMenuItem(*pPainter, pItem->rect, pItem->text, bSelected, bChecked, bEnabled);
        if (pItem->menuItemType == QStyleOptionMenuItem::SubMenu)
            DrawSubMenuArrow(*pPainter, pItem->rect);
        pPainter->restore();
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* pOption, QPainter* pPainter,
                       const QWidget* pWidget) const override
    {
        if (element == PE_PanelMenu) {
            pPainter->fillRect(pOption->rect, m_menu.GetBackgroundBrush());
            return;
        }
        if (element == PE_FrameMenu) {
            pPainter->setPen(kSeparator);
            pPainter->setBrush(Qt::NoBrush);
            pPainter->drawRect(pOption->rect.adjusted(0, 0, -1, -1));
            return;
        }
        QProxyStyle::drawPrimitive(element, pOption, pPainter, pWidget);
    }

    QSize sizeFromContents(ContentsType type, const QStyleOption* pOption, const QSize& size,
                           const QWidget* pWidget) const override
    {
        const auto* pItem = qstyleoption_cast<const QStyleOptionMenuItem*>(pOption);
        if (type != CT_MenuItem || !pItem || pItem->menuItemType == QStyleOptionMenuItem::Separator)
            return QProxyStyle::sizeFromContents(type, pOption, size, pWidget);
        QSize result = m_menu.MeasureItem(pItem->text);
        if (pItem->menuItemType == QStyleOptionMenuItem::SubMenu)
            result.rwidth() += kMenuLineHeight;   // room for the arrow
        return result;
    }

    int pixelMetric(PixelMetric metric, const QStyleOption* pOption, const QWidget* pWidget) const override
    {
        switch (metric) {
        case PM_MenuPanelWidth:
            return 1;
        case PM_MenuHMargin:
        case PM_MenuVMargin:
            return 2;
        default:
            return QProxyStyle::pixelMetric(metric, pOption, pWidget);
        }
    }

private:
    static void DrawSubMenuArrow(QPainter& painter, const QRect& rcItem)
    {
        const int nHalf = rcItem.height() / 5;
        const int x = rcItem.right() - rcItem.height() / 2;
        const int y = rcItem.center().y();
        const QPoint points[3] = {{x - nHalf / 2, y - nHalf}, {x - nHalf / 2, y + nHalf}, {x + nHalf / 2, y}};
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(theme::kText);
        painter.drawPolygon(points, 3);
    }

    const CPopupMenu& m_menu;
};

} // namespace

CPopupMenu::CPopupMenu(QWidget* pParent) : CPopupMenu(QString(), pParent) {}

CPopupMenu::CPopupMenu(const QString& strTitle, QWidget* pParent)
    : QMenu(strTitle, pParent), m_brBackground(theme::kBackground)
{
    auto* pStyle = new CPopupMenuStyle(*this);
    pStyle->setParent(this);
    setStyle(pStyle);
}

void CPopupMenu::SetBackgroundBrush(const QBrush& brush)
{
    m_brBackground = brush;
    update();
}

QAction* CPopupMenu::AppendItem(int nCommand, const QString& strText, bool bChecked)
{
    QAction* pAction = addAction(strText);
    pAction->setData(nCommand);
    if (bChecked) {
        pAction->setCheckable(true);
        pAction->setChecked(true);
    }
    return pAction;
}

CPopupMenu* CPopupMenu::AppendSubMenu(const QString& strTitle)
{
    auto* pMenu = new CPopupMenu(strTitle, this);
    addMenu(pMenu);
    return pMenu;
}

int CPopupMenu::TrackPopupMenu(const QPoint& ptScreen)
{
    return ChosenCommand(exec(ptScreen));
}

int CPopupMenu::ChosenCommand(const QAction* pAction)
{
    return pAction ? pAction->data().toInt() : 0;
}

QSize CPopupMenu::MeasureItem(const QString& strText) const
{
    const int nTextWidth = fontMetrics().horizontalAdvance(strText);
    // The text starts a line height and a quarter behind the item's left edge.
    return {kMenuLineHeight + kMenuLineHeight / 4 + nTextWidth + kMenuLineHeight / 2, kMenuLineHeight};
}

void CPopupMenu::DrawMenuItem(QPainter& painter, const QRect& rcItem, const QString& strText,
                              bool bSelected, bool bChecked, bool bEnabled)
{
    painter.fillRect(rcItem.adjusted(0, -2, 0, 2), bSelected ? theme::kSelectedMenuItem : theme::kBackground);

    const int h = rcItem.height();
    if (bChecked) {
        // A tick in the square at the item's left end, 5 pixels inside it: from the middle
        // of its left edge down to the middle of its bottom edge and up to its top right.
        const QRect rcTick = QRect(rcItem.left(), rcItem.top(), h, h).adjusted(5, 5, -5, -5);
        const QPoint ptLeft(rcTick.left(), rcTick.top() + rcTick.height() / 2);
        const QPoint ptBottom(rcTick.left() + rcTick.width() / 2, rcTick.bottom());
        const QPoint ptTopRight(rcTick.right(), rcTick.top());
        painter.setPen(QPen(theme::kText, 2));
        painter.drawLine(ptLeft, ptBottom);
        painter.drawLine(ptBottom, ptTopRight);
    }

    painter.setPen(bEnabled ? theme::kText : theme::kDisabledCaption);
    const QRect rcText = rcItem.adjusted(h + h / 4, 0, 0, 0);
    painter.drawText(rcText, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, strText);
}
