#pragma once
// Standard controls drawn in the dark theme. Tabs: the selected tab in the window's dark
// grey with a blue line on top, joined to its page, the other tabs darker, white captions,
// grey outlines. Group boxes: a grey outline with the white title set into its top line.
// Widgets take it on one by one (setStyle); everything else is the application style.
#include <QProxyStyle>

class CThemeStyle : public QProxyStyle {
public:
    void drawControl(ControlElement element, const QStyleOption* pOption, QPainter* pPainter,
                     const QWidget* pWidget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* pOption, QPainter* pPainter,
                       const QWidget* pWidget) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* pOption, QPainter* pPainter,
                            const QWidget* pWidget) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* pOption, const QWidget* pWidget) const override;
};

// The one instance, owned by the application.
QStyle* ThemeStyle();
