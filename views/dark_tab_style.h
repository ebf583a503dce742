#pragma once
// Tabs in the dark theme: the selected tab in the window's dark grey with a blue line on
// top, joined to its page; the other tabs darker; white captions; grey outlines.
#include <QProxyStyle>

class CDarkTabStyle : public QProxyStyle {
public:
    void drawControl(ControlElement element, const QStyleOption* pOption, QPainter* pPainter,
                     const QWidget* pWidget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* pOption, QPainter* pPainter,
                       const QWidget* pWidget) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* pOption, const QWidget* pWidget) const override;
};
