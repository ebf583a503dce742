#pragma once
// The themed push button: a blue face that turns bright blue under the mouse, a white
// caption word-wrapped and centred as a block, a raised edge that sinks while pressed,
// grey with a silver caption when disabled, and a focus rectangle.
#include <QColor>
#include <QPushButton>

class CColourButton : public QPushButton {
    Q_OBJECT
public:
    explicit CColourButton(QWidget* pParent = nullptr);
    explicit CColourButton(const QString& strCaption, QWidget* pParent = nullptr);

    const QColor& GetCurrentFace() const { return m_crCurrentFace; }

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void enterEvent(QEnterEvent* pEvent) override;
    void leaveEvent(QEvent* pEvent) override;

    QColor m_crNormalFace;
    QColor m_crNormalText;
    QColor m_crHoverFace;
    QColor m_crHoverText;
    QColor m_crCurrentFace;
    QColor m_crPressedFace;
    QColor m_crCurrentText;

private:
    void SetHover(bool bHover);
    void DrawCaption(QPainter& painter, const QRect& rcItem) const;
};
