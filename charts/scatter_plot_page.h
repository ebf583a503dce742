#pragma once
// The "Scatter Plot" page: the newest 1000 fixes about their mean, in metres.
#include "charts/chart_page.h"
#include "charts/scatter_chart.h"

class CScatterPlotPP : public CChartPage
{
    Q_OBJECT
public:
    enum : int
    {
        kIdFrame = 1002
    };
    CScatterPlotPP();

    // Angles in radians. Positions are kept whether or not the page has been shown.
    void AddPosition(double dLat, double dLon);

    CScatterChart m_chart;

protected:
    void DrawCharts(Canvas& dc) override;
};
