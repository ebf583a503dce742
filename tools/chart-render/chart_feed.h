#pragma once
// The charts of a recorded NMEA stream: lines go through the receive ring and the program's
// own decoders into the scatter plot, the five time-series graphs and the satellite model
// (each system's last complete GSV group). A GGA sentence with a new UTC time (or none) starts a new
// position epoch; epochs are one second apart on the time axis, and every sample of an
// epoch (the GGA sentences of several talkers, the GSA sentences) shares its time.

#include <cstddef>
#include <istream>
#include <string>
#include <string_view>

#include "charts/satellite_chart.h"
#include "charts/scatter_chart.h"
#include "charts/time_series_graph.h"
#include "nmea/rx_ring.h"
#include "nmea/sky_model.h"

struct SChartSpans {
  int nTimeSpanMinutes = 10;
  int nYSpan = 10;
};

class CChartFeed {
 public:
  explicit CChartFeed(const SChartSpans& spans);

  // Feeds a whole stream, in the batch size a serial port delivers.
  void ReadStream(std::istream& stream);
  // Feeds bytes as they arrive from a port; complete lines are decoded at once.
  void Append(const char* pBytes, std::size_t nBytes);
  // Gives the latitude and longitude graphs metres per radian at the scatter plot's centre,
  // so that they plot the wander of the position in metres.
  void UseMetresForAngles();

  int Epochs() const { return m_nEpochs; }
  bool HasSatellites() const { return m_bHasGroup; }

  CScatterChart m_scatter;
  CSatelliteChart m_satellites;
  CTimeSeriesGraph m_graphDop;
  CTimeSeriesGraph m_graphSats;
  CTimeSeriesGraph m_graphLat;
  CTimeSeriesGraph m_graphLon;
  CTimeSeriesGraph m_graphHeight;
  CSkyModel m_sky;

 private:
  void DecodeLine(const char* pLine, std::size_t nLength);
  void StartEpoch(std::string_view gga);

  SRxRing m_ring;
  int m_nEpochs = 0;
  std::string m_strEpochTime;
  bool m_bHasGroup = false;
};
