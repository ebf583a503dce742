#pragma once
// The two pages that draw the sorted satellite table: the sky plot ("Sat Viz") and the
// signal and elevation bars ("Satellites"). The sheet gives their charts the table and
// repaints them after each complete GSV group.
#include "charts/chart_page.h"
#include "charts/satellite_chart.h"

class CSatVizPP : public CChartPage
{
    Q_OBJECT
public:
    enum : int
    {
        kIdFrame = 1042
    };
    CSatVizPP();
    CSatelliteChart m_chart;

protected:
    void DrawCharts(Canvas& dc) override;
};

class CSatellitePP : public CChartPage
{
    Q_OBJECT
public:
    enum : int
    {
        kIdSnrFrame = 1004,
        kIdElevFrame = 1007
    };
    CSatellitePP();
    CSatelliteChart m_chart;

protected:
    void DrawCharts(Canvas& dc) override;
};
