#include "charts/lat_lon_ht_page.h"

#include "charts/gps_graphs.h"
#include "charts/metres_per_radian.h"
#include "nmea/nmea_angle.h"
#include "resources/dialog_template.h"

namespace
{
constexpr std::int32_t kWgs84 = 26;

void AddSample(CTimeSeriesGraph& graph, CanvasColour crTrace, double t, double dValue)
{
    if (graph.GetSize() < 1)
        return;
    graph.GetTrace(0).m_crTrace = crTrace;
    graph.GetTrace(0).AddPoint(t, dValue);
}
} // namespace

CLatLonHtPP::CLatLonHtPP() : CGpsGraphPropertyPage(kIddPositionMonitoring)
{
    m_ellipsoid.SetWgs84(kWgs84);
}

bool CLatLonHtPP::OnInitDialog()
{
    CGpsGraphPropertyPage::OnInitDialog();
    SetUpLatitudeGraph(m_graphLat, m_nTimeSpanMinutes, m_nYSpan);
    SetUpLongitudeGraph(m_graphLon, m_nTimeSpanMinutes, m_nYSpan);
    SetUpHeightGraph(m_graphHeight, m_nTimeSpanMinutes, m_nYSpan);
    return true;
}

void CLatLonHtPP::AddPosition(double dLat, double dLon, double dHeight)
{
    const double t = SampleTime();
    // The angle changes are drawn in metres at the newest fix, so that the metre grid and
    // the Y span menu mean what they say. A position that is no place on Earth is left out.
    if (IsPosition(dLat, dLon))
    {
        const SMetresPerRadian scale = MetresPerRadian(m_ellipsoid, dLat);
        m_graphLat.m_dLatFactor = scale.dLat;
        m_graphLon.m_dLonFactor = scale.dLon;
        AddSample(m_graphLat, m_crTrace1, t, dLat);
        AddSample(m_graphLon, m_crTrace2, t, dLon);
    }
    AddSample(m_graphHeight, m_crTrace3, t, dHeight);
    update();
}

void CLatLonHtPP::ApplyYSpans()
{
    for (CTimeSeriesGraph* pGraph : {&m_graphLat, &m_graphLon, &m_graphHeight})
        pGraph->SetYRange(0, m_nYSpan);
}

void CLatLonHtPP::ApplyTimeSpan()
{
    for (CTimeSeriesGraph* pGraph : {&m_graphLat, &m_graphLon, &m_graphHeight})
        pGraph->m_dTimeSpan = m_nTimeSpanMinutes * 60.0;
}

void CLatLonHtPP::ClearGraphs()
{
    for (CTimeSeriesGraph* pGraph : {&m_graphLat, &m_graphLon, &m_graphHeight})
        ClearTraces(*pGraph);
    update();
}

void CLatLonHtPP::DrawCharts(Canvas& dc)
{
    m_graphLat.Draw(dc, FrameArea(kIdLatFrame));
    m_graphLon.Draw(dc, FrameArea(kIdLonFrame));
    m_graphHeight.Draw(dc, FrameArea(kIdHeightFrame));
}
