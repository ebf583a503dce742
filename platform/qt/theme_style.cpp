#include "platform/qt/theme_style.h"

#include "platform/qt/theme.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOptionGroupBox>
#include <QStyleOptionTab>

namespace {

const QColor kOutline{128, 128, 128};
const QColor kIdleTab{64, 64, 64};
const QColor kHoverTab{100, 100, 100};

void DrawTabShape(const QStyleOptionTab& tab, QPainter& painter)
{
    const bool bSelected = (tab.state & QStyle::State_Selected) != 0;
    QRect rc = tab.rect;
    if (!bSelected)
        rc.setTop(rc.top() + 2);
    const QColor crFill = bSelected ? theme::kBackground
                                    : (tab.state & QStyle::State_MouseOver) ? kHoverTab : kIdleTab;
    painter.fillRect(rc, crFill);
    painter.setPen(kOutline);
    painter.drawLine(rc.topLeft(), rc.bottomLeft());
    painter.drawLine(rc.topLeft(), rc.topRight());
    painter.drawLine(rc.topRight(), rc.bottomRight());
    if (bSelected)
        painter.fillRect(QRect(rc.left() + 1, rc.top() + 1, rc.width() - 2, 2), theme::kButtonFace);
    else
        painter.drawLine(rc.bottomLeft(), rc.bottomRight());
}

// The title stands this far from the group box's left edge, with a little room either side.
constexpr int kTitleIndent = 8;
constexpr int kTitlePadding = 2;

void DrawGroupBox(const QStyleOptionGroupBox& box, QPainter& painter)
{
    const int nTitleHeight = box.fontMetrics.height();
    const QRect rc = box.rect;
    painter.setPen(kOutline);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(rc.left(), rc.top() + nTitleHeight / 2, rc.width() - 1, rc.height() - nTitleHeight / 2 - 1));
    if (box.text.isEmpty())
        return;
    const int nTitleWidth = box.fontMetrics.horizontalAdvance(box.text) + 2 * kTitlePadding;
    const QRect rcTitle(rc.left() + kTitleIndent, rc.top(), nTitleWidth, nTitleHeight);
    painter.fillRect(rcTitle, box.palette.window());
    painter.setPen(box.palette.color(QPalette::WindowText));
    painter.drawText(rcTitle, Qt::AlignCenter, box.text);
}

} // namespace

QStyle* ThemeStyle()
{
    static CThemeStyle* const pStyle = [] {
        auto* pNew = new CThemeStyle;
        pNew->setParent(qApp);
        return pNew;
    }();
    return pStyle;
}

void CThemeStyle::drawControl(ControlElement element, const QStyleOption* pOption, QPainter* pPainter,
                                const QWidget* pWidget) const
{
    const auto* pTab = qstyleoption_cast<const QStyleOptionTab*>(pOption);
    if (element == CE_TabBarTabShape && pTab) {
        pPainter->save();
        DrawTabShape(*pTab, *pPainter);
        pPainter->restore();
        return;
    }
    if (element == CE_TabBarTabLabel && pTab) {
        QStyleOptionTab label(*pTab);
        label.palette.setColor(QPalette::WindowText, theme::kText);
        label.palette.setColor(QPalette::ButtonText, theme::kText);
        // The label sits in the middle of the tab; a lowered idle tab lowers its label too.
        if (!(pTab->state & State_Selected))
            label.rect.translate(0, 1);
        QProxyStyle::drawControl(element, &label, pPainter, pWidget);
        return;
    }
    QProxyStyle::drawControl(element, pOption, pPainter, pWidget);
}

void CThemeStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* pOption, QPainter* pPainter,
                                  const QWidget* pWidget) const
{
    if (element == PE_FrameTabWidget) {
        pPainter->save();
        pPainter->fillRect(pOption->rect, theme::kBackground);
        pPainter->setPen(kOutline);
        pPainter->drawRect(pOption->rect.adjusted(0, 0, -1, -1));
        pPainter->restore();
        return;
    }
    if (element == PE_FrameTabBarBase)
        return;
    QProxyStyle::drawPrimitive(element, pOption, pPainter, pWidget);
}

void CThemeStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* pOption, QPainter* pPainter,
                                     const QWidget* pWidget) const
{
    const auto* pBox = qstyleoption_cast<const QStyleOptionGroupBox*>(pOption);
    if (control == CC_GroupBox && pBox) {
        pPainter->save();
        DrawGroupBox(*pBox, *pPainter);
        pPainter->restore();
        return;
    }
    QProxyStyle::drawComplexControl(control, pOption, pPainter, pWidget);
}

int CThemeStyle::pixelMetric(PixelMetric metric, const QStyleOption* pOption, const QWidget* pWidget) const
{
    switch (metric) {
    case PM_TabBarTabHSpace:
        return 12;
    case PM_TabBarTabVSpace:
        return 8;
    case PM_TabBarBaseOverlap:
        return 1;
    default:
        return QProxyStyle::pixelMetric(metric, pOption, pWidget);
    }
}
