#include "charts/satellite_pages.h"

#include "resources/dialog_template.h"

CSatVizPP::CSatVizPP() : CChartPage(kIddSatVizPage) {}

void CSatVizPP::DrawCharts(Canvas& dc)
{
    if (HasControls())
        m_chart.DrawSkyPlot(dc, FrameArea(kIdFrame));
}

CSatellitePP::CSatellitePP() : CChartPage(kIddSatellitesPage) {}

void CSatellitePP::DrawCharts(Canvas& dc)
{
    if (!HasControls())
        return;
    m_chart.DrawSnrChart(dc, FrameArea(kIdSnrFrame));
    m_chart.DrawElevationChart(dc, FrameArea(kIdElevFrame));
}
