#pragma once
// The base of the two graph pages (DOP and satellite counts; position monitoring): the time
// span and Y span kept in "Gps Graph", the dark colours and three trace colours, and the
// right-click menu that stores a new span in the page and tells the sheet, which applies
// the spans to the graphs of both pages.
#include <cstdint>

#include "charts/gps_graph_settings.h"
#include "platform/canvas.h"
#include "charts/chart_page.h"

class CTimeSeriesGraph;
class IWindowHandle;

class CGpsGraphPropertyPage : public CChartPage
{
    Q_OBJECT
public:
    explicit CGpsGraphPropertyPage(int nTemplateId);

    void SetGraphColours();

    int m_nTimeSpanMinutes = 10;
    std::int16_t m_nYSpan = 10;
    // Receives the reset messages of the menu; without it they go nowhere.
    IWindowHandle* m_pSheet = nullptr;
    CanvasColour m_crTrace1;
    CanvasColour m_crTrace2;
    CanvasColour m_crTrace3;

    // The menu at a screen position: applies the choice, posts the reset message, repaints
    // and saves the spans (also when the menu is dismissed).
    void ShowGraphMenu(const QPoint& ptScreen);

    // Empties every trace of a graph; the traces stay, so plotting goes on.
    static void ClearTraces(CTimeSeriesGraph& graph);

protected:
    void mousePressEvent(QMouseEvent* pEvent) override;

    // Stamp seconds of a new sample.
    static double SampleTime();
};
