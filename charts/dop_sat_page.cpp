#include "charts/dop_sat_page.h"

#include "charts/gps_graphs.h"
#include "resources/dialog_template.h"

namespace
{
constexpr double kDopReference = 10.0;
constexpr double kSatsReference = 3.0;

void AddSamples(CTimeSeriesGraph& graph, const CanvasColour* pColours, double t,
                std::initializer_list<double> values)
{
    for (int i = 0; i < graph.GetSize() && i < static_cast<int>(values.size()); ++i)
        graph.GetTrace(i).m_crTrace = pColours[i];
    AddGraphSamples(graph, t, values);
}
} // namespace

CDopSatPP::CDopSatPP() : CGpsGraphPropertyPage(kIddSatellitesPage) {}

bool CDopSatPP::OnInitDialog()
{
    CGpsGraphPropertyPage::OnInitDialog();
    // The DOP graph always opens at a span of 10, whatever the settings file holds.
    m_nYSpan = 10;
    SetGraphColours();
    SetUpDopGraph(m_graphDop, m_nTimeSpanMinutes, m_nYSpan);
    SetUpSatsGraph(m_graphSats, m_nTimeSpanMinutes);
    // The reference lines appear with the first sample.
    m_graphDop.m_dRefLine2 = 0;
    m_graphSats.m_dRefLine1 = 0;
    return true;
}

void CDopSatPP::UpdateDop(double dHdop, double dPdop, double dVdop, int nUsed, int nVisible)
{
    const double t = SampleTime();
    const CanvasColour colours[3] = {m_crTrace1, m_crTrace2, m_crTrace3};
    m_graphDop.m_dRefLine2 = kDopReference;
    AddSamples(m_graphDop, colours, t, {dHdop, dPdop, dVdop});
    m_graphSats.m_dRefLine1 = kSatsReference;
    AddSamples(m_graphSats, colours, t,
               {static_cast<double>(nUsed), static_cast<double>(nVisible)});
    update();
}

void CDopSatPP::ApplyYSpan()
{
    m_graphDop.SetYRange(0, m_nYSpan);
}

void CDopSatPP::ApplyTimeSpan()
{
    m_graphDop.m_dTimeSpan = m_nTimeSpanMinutes * 60.0;
    m_graphSats.m_dTimeSpan = m_nTimeSpanMinutes * 60.0;
}

void CDopSatPP::ClearGraphs()
{
    ClearTraces(m_graphDop);
    ClearTraces(m_graphSats);
    update();
}

void CDopSatPP::DrawCharts(Canvas& dc)
{
    m_graphDop.Draw(dc, FrameArea(kIdDopFrame));
    m_graphSats.Draw(dc, FrameArea(kIdSatsFrame));
}
