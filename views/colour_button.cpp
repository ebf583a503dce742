#include "views/colour_button.h"

#include "platform/qt/theme.h"

#include <QPainter>

namespace {

// The classic three-dimensional edge, two pixels wide, in the usual system colours.
const QColor kEdgeHighlight{255, 255, 255};
const QColor kEdgeLight{227, 227, 227};
const QColor kEdgeShadow{160, 160, 160};
const QColor kEdgeDarkShadow{105, 105, 105};

// One ring of the edge: top and left lines in one colour, bottom and right in the other.
void DrawEdgeRing(QPainter& painter, const QRect& rc, const QColor& crTopLeft, const QColor& crBottomRight)
{
    painter.setPen(crTopLeft);
    painter.drawLine(rc.left(), rc.bottom(), rc.left(), rc.top());
    painter.drawLine(rc.left(), rc.top(), rc.right(), rc.top());
    painter.setPen(crBottomRight);
    painter.drawLine(rc.right(), rc.top(), rc.right(), rc.bottom());
    painter.drawLine(rc.right(), rc.bottom(), rc.left(), rc.bottom());
}

void DrawEdge(QPainter& painter, const QRect& rc, bool bSunken)
{
    const QRect inner = rc.adjusted(1, 1, -1, -1);
    if (bSunken) {
        DrawEdgeRing(painter, rc, kEdgeShadow, kEdgeHighlight);
        DrawEdgeRing(painter, inner, kEdgeDarkShadow, kEdgeLight);
    } else {
        DrawEdgeRing(painter, rc, kEdgeLight, kEdgeDarkShadow);
        DrawEdgeRing(painter, inner, kEdgeHighlight, kEdgeShadow);
    }
}

} // namespace

CColourButton::CColourButton(QWidget* pParent) : CColourButton(QString(), pParent) {}

CColourButton::CColourButton(const QString& strCaption, QWidget* pParent)
    : QPushButton(strCaption, pParent),
      m_crNormalFace(theme::kButtonFace),
      m_crNormalText(theme::kText),
      m_crHoverFace(theme::kButtonHoverFace),
      m_crHoverText(theme::kText),
      m_crCurrentFace(m_crNormalFace),
      m_crPressedFace(theme::kButtonFace),
      m_crCurrentText(theme::kText)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover);
}

void CColourButton::SetHover(bool bHover)
{
    const QColor& crFace = bHover ? m_crHoverFace : m_crNormalFace;
    const QColor& crText = bHover ? m_crHoverText : m_crNormalText;
    if (crFace == m_crCurrentFace && crText == m_crCurrentText)
        return;
    m_crCurrentFace = crFace;
    m_crCurrentText = crText;
    update();
}

void CColourButton::mouseMoveEvent(QMouseEvent* pEvent)
{
    SetHover(true);
    QPushButton::mouseMoveEvent(pEvent);
}

void CColourButton::enterEvent(QEnterEvent* pEvent)
{
    SetHover(true);
    QPushButton::enterEvent(pEvent);
}

void CColourButton::leaveEvent(QEvent* pEvent)
{
    SetHover(false);
    QPushButton::leaveEvent(pEvent);
}

void CColourButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect rcItem = rect();
    const bool bPressed = isDown();
    QColor crFace = bPressed ? m_crPressedFace : m_crCurrentFace;
    if (!isEnabled())
        crFace = theme::kDisabledButtonFace;
    painter.fillRect(rcItem, crFace);
    DrawEdge(painter, rcItem, bPressed);
    DrawCaption(painter, rcItem);

    if (hasFocus()) {
        painter.setPen(QPen(m_crCurrentText, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rcItem.adjusted(5, 5, -6, -6));
    }
}

void CColourButton::DrawCaption(QPainter& painter, const QRect& rcItem) const
{
    const QRect rcText = rcItem.adjusted(5, 0, -5, 0);
    if (rcText.width() <= 0)
        return;
    painter.setPen(isEnabled() ? m_crCurrentText : theme::kDisabledCaption);
    painter.setFont(font());
    // The caption wraps at word breaks; the wrapped block as a whole is centred vertically.
    const int nFlags = Qt::AlignHCenter | Qt::TextWordWrap;
    const QRect rcBlock = painter.fontMetrics().boundingRect(rcText, nFlags, text());
    QRect rcDraw = rcText;
    rcDraw.setTop(rcText.top() + (rcText.height() - rcBlock.height()) / 2);
    rcDraw.setHeight(rcBlock.height());
    painter.drawText(rcDraw, nFlags | Qt::AlignTop, text());
}
