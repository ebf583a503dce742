#pragma once
// A property page that draws charts into the black frames of its template. The page's own
// background (the theme's dark grey) shows wherever the charts do not paint.
#include "platform/canvas.h"
#include "platform/qt/colour_property_page.h"

class CChartPage : public CColourPropertyPage
{
    Q_OBJECT
public:
    explicit CChartPage(int nTemplateId) : CColourPropertyPage(nTemplateId) {}

    // The inside of a frame control in page coordinates: where a chart is drawn. Empty
    // before the page's controls exist.
    CanvasRect FrameArea(int nFrameId) const;

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    virtual void DrawCharts(Canvas& dc) = 0;
};
