#pragma once
// The "Position Monitoring" page: latitude, longitude and height against time, one graph
// each, fed after every decoded GGA sentence. Latitude and longitude changes are plotted in
// metres about the newest fix.
#include "charts/gps_graph_page.h"
#include "charts/time_series_graph.h"
#include "settings/ellipsoid.h"

class CLatLonHtPP : public CGpsGraphPropertyPage
{
    Q_OBJECT
public:
    enum : int
    {
        kIdLatFrame = 1003,
        kIdLonFrame = 1004,
        kIdHeightFrame = 1008
    };

    CLatLonHtPP();

    // Angles in radians, height in metres. Before the page is first shown the graphs have no
    // traces and nothing is recorded.
    void AddPosition(double dLat, double dLon, double dHeight);
    void ApplyYSpans();
    void ApplyTimeSpan();
    void ClearGraphs();

    CTimeSeriesGraph m_graphLat;
    CTimeSeriesGraph m_graphLon;
    CTimeSeriesGraph m_graphHeight;

protected:
    bool OnInitDialog() override;
    void DrawCharts(Canvas& dc) override;

private:
    CEllipsoid m_ellipsoid;
};
