#include "charts/scatter_plot_page.h"

#include "resources/dialog_template.h"

CScatterPlotPP::CScatterPlotPP() : CChartPage(kIddScatterPlot) {}

void CScatterPlotPP::AddPosition(double dLat, double dLon)
{
    m_chart.AddPosition(dLon, dLat);
    update();
}

void CScatterPlotPP::DrawCharts(Canvas& dc)
{
    if (HasControls())
        m_chart.Draw(dc, FrameArea(kIdFrame));
}
