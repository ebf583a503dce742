#pragma once
// The "DOP / No Sats" page: HDOP, PDOP and VDOP in one graph and the numbers of satellites
// used and visible in another, fed after every decoded GSA sentence.
#include "charts/gps_graph_page.h"
#include "charts/time_series_graph.h"

class CDopSatPP : public CGpsGraphPropertyPage
{
    Q_OBJECT
public:
    enum : int
    {
        kIdSatsFrame = 1004,
        kIdDopFrame = 1007
    };

    CDopSatPP();

    void UpdateDop(double dHdop, double dPdop, double dVdop, int nUsed, int nVisible);
    void ApplyYSpan();
    void ApplyTimeSpan();
    void ClearGraphs();

    CTimeSeriesGraph m_graphDop;
    CTimeSeriesGraph m_graphSats;

protected:
    bool OnInitDialog() override;
    void DrawCharts(Canvas& dc) override;
};
