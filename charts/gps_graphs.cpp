#include "charts/gps_graphs.h"

#include <memory>
#include <string>

namespace {

void SetUpGraph(CTimeSeriesGraph& graph, const char* pszName, int nTimeSpanMinutes,
                int nRangeMode, std::initializer_list<const char*> traceNames) {
  static constexpr CanvasColour kColours[] = {kGraphTrace1, kGraphTrace2, kGraphTrace3};
  graph.DeleteAllTraces();
  graph.m_strYName = pszName;
  graph.m_dTimeSpan = nTimeSpanMinutes * 60.0;
  graph.m_nRangeMode = nRangeMode;
  int nIndex = 0;
  for (const char* pszTrace : traceNames) {
    graph.AddTrace(std::make_unique<CDataTrace>(pszTrace, kColours[nIndex++ % 3]));
  }
}

void SetUpAngleGraph(CTimeSeriesGraph& graph, const char* pszName, const char* pszTrace,
                     CanvasColour crTrace, int nValueKind, int nTimeSpanMinutes, int nYSpan) {
  SetUpGraph(graph, pszName, nTimeSpanMinutes, CTimeSeriesGraph::kRangeSymmetric, {pszTrace});
  graph.GetTrace(0).m_crTrace = crTrace;
  graph.m_nValueKind = nValueKind;
  graph.SetYRange(0, nYSpan);
}

}  // namespace

void SetUpDopGraph(CTimeSeriesGraph& graph, int nTimeSpanMinutes, int nYSpan) {
  SetUpGraph(graph, "Dilution of Position (DOP)", nTimeSpanMinutes, CTimeSeriesGraph::kRangeFixed,
             {"HDOP", "PDOP", "VDOP"});
  graph.m_strYFormat = "%.0lf";
  graph.m_strValueFormat = "%.1lf";
  graph.m_bLegend = true;
  graph.m_dRefLine2 = 10;
  graph.SetYRange(0, nYSpan);
}

void SetUpSatsGraph(CTimeSeriesGraph& graph, int nTimeSpanMinutes) {
  SetUpGraph(graph, "Number of Satellites", nTimeSpanMinutes, CTimeSeriesGraph::kRangeFixed,
             {"Used", "Visible"});
  graph.m_strYFormat = "%.0lf";
  graph.m_strValueFormat = "%.0lf";
  graph.m_bLegend = true;
  graph.m_dRefLine1 = 3;
  graph.SetYRange(0, 16);
}

void SetUpLatitudeGraph(CTimeSeriesGraph& graph, int nTimeSpanMinutes, int nYSpan) {
  SetUpAngleGraph(graph, "Latitide", "Latitude", kGraphTrace1, CTimeSeriesGraph::kValueLatitude,
                  nTimeSpanMinutes, nYSpan);
}

void SetUpLongitudeGraph(CTimeSeriesGraph& graph, int nTimeSpanMinutes, int nYSpan) {
  SetUpAngleGraph(graph, "Longitide", "Longitude", kGraphTrace2,
                  CTimeSeriesGraph::kValueLongitude,
                  nTimeSpanMinutes, nYSpan);
}

void SetUpHeightGraph(CTimeSeriesGraph& graph, int nTimeSpanMinutes, int nYSpan) {
  SetUpGraph(graph, "Height", nTimeSpanMinutes, CTimeSeriesGraph::kRangeScrolling, {"Height"});
  graph.GetTrace(0).m_crTrace = kGraphTrace3;
  graph.m_strYFormat = "%.0lf";
  graph.m_bLegend = true;
  graph.m_strValueFormat = "%.1lfm.";
  graph.SetYRange(0, nYSpan);
}

void AddGraphSamples(CTimeSeriesGraph& graph, double t, std::initializer_list<double> values) {
  int nIndex = 0;
  for (double dValue : values) {
    if (nIndex >= graph.GetSize()) {
      break;
    }
    graph.GetTrace(nIndex++).AddPoint(t, dValue);
  }
}
