#pragma once
// The five time-series graphs of the monitor, set up as its DOP and position pages show
// them: satellite counts and dilutions of precision on fixed ranges with legends; latitude
// and longitude symmetric about their newest value, labelled with its angle text; height in
// a window that scrolls with it. Shared by the pages and the chart renderer.

#include <initializer_list>

#include "charts/time_series_graph.h"

// Colours of a graph page's first, second and third trace.
inline constexpr CanvasColour kGraphTrace1 = MakeRgb(255, 0, 255);
inline constexpr CanvasColour kGraphTrace2 = MakeRgb(0, 255, 255);
inline constexpr CanvasColour kGraphTrace3 = MakeRgb(0, 255, 0);

// Time spans are in minutes, Y spans in the graphs' units (DOP, metres).
void SetUpDopGraph(CTimeSeriesGraph& graph, int nTimeSpanMinutes, int nYSpan);
void SetUpSatsGraph(CTimeSeriesGraph& graph, int nTimeSpanMinutes);
void SetUpLatitudeGraph(CTimeSeriesGraph& graph, int nTimeSpanMinutes, int nYSpan);
void SetUpLongitudeGraph(CTimeSeriesGraph& graph, int nTimeSpanMinutes, int nYSpan);
void SetUpHeightGraph(CTimeSeriesGraph& graph, int nTimeSpanMinutes, int nYSpan);

// Adds one sample at time t to each trace, in trace order: the first value to the first
// trace and so on. A graph without traces takes nothing.
void AddGraphSamples(CTimeSeriesGraph& graph, double t, std::initializer_list<double> values);
