#include "tools/chart-render/chart_feed.h"

#include <string_view>
#include <vector>

#include "charts/gps_graphs.h"
#include "nmea/decoders.h"
#include "nmea/field_parser.h"
#include "nmea/nmea_angle.h"
#include "nmea/sentence.h"

CChartFeed::CChartFeed(const SChartSpans& spans) {
  SetUpDopGraph(m_graphDop, spans.nTimeSpanMinutes, spans.nYSpan);
  SetUpSatsGraph(m_graphSats, spans.nTimeSpanMinutes);
  SetUpLatitudeGraph(m_graphLat, spans.nTimeSpanMinutes, spans.nYSpan);
  SetUpLongitudeGraph(m_graphLon, spans.nTimeSpanMinutes, spans.nYSpan);
  SetUpHeightGraph(m_graphHeight, spans.nTimeSpanMinutes, spans.nYSpan);
  m_ring.Allocate();
}

void CChartFeed::ReadStream(std::istream& stream) {
  // A serial port hands over at most this much per read.
  constexpr std::size_t kBatch = 2048;
  std::vector<char> batch(kBatch);
  while (stream.read(batch.data(), static_cast<std::streamsize>(batch.size())) ||
         stream.gcount() > 0) {
    Append(batch.data(), static_cast<std::size_t>(stream.gcount()));
  }
}

void CChartFeed::Append(const char* pBytes, std::size_t nBytes) {
  m_ring.Append(pBytes, nBytes);
  SLineBuffer line;
  while (const std::size_t nLength = TakeLine(m_ring, line)) {
    DecodeLine(line.data(), nLength);
  }
}

void CChartFeed::DecodeLine(const char* pLine, std::size_t nLength) {
  std::string unwrapped;
  const std::string_view sentence = UnwrapTrimble(std::string_view(pLine, nLength), unwrapped);
  const ESkyChange change = m_sky.Feed(sentence);
  const std::string_view type = SentenceType(sentence);
  if (type == "GGA") {
    double dLat = 0;
    double dLon = 0;
    double dHeight = 0;
    double dSeparation = 0;
    std::int32_t nFix = 0;
    if (DecodeGGA(sentence, &dLat, &dLon, &dHeight, &dSeparation, &nFix, nullptr, nullptr)) {
      StartEpoch(sentence);
      m_scatter.AddPosition(dLon, dLat);
      if (IsPosition(dLat, dLon)) {
        AddGraphSamples(m_graphLat, m_nEpochs, {dLat});
        AddGraphSamples(m_graphLon, m_nEpochs, {dLon});
      }
      AddGraphSamples(m_graphHeight, m_nEpochs, {dHeight});
    }
  } else if (type == "GSA") {
    // Satellites used and in view are the model's totals over every system.
    SSatTable unused{};
    double dHdop = 0;
    double dPdop = 0;
    double dVdop = 0;
    if (DecodeGSA(sentence, nullptr, nullptr, &unused, &dHdop, &dPdop, &dVdop)) {
      AddGraphSamples(m_graphDop, m_nEpochs, {dHdop, dPdop, dVdop});
      AddGraphSamples(m_graphSats, m_nEpochs, {static_cast<double>(m_sky.Used()),
                                       static_cast<double>(m_sky.InView())});
    }
  } else if (change == ESkyChange::kView) {
    m_bHasGroup = true;
  }
}

void CChartFeed::StartEpoch(std::string_view gga) {
  CFieldParser parser;
  parser.Load(gga);
  parser.VerifyChecksum();
  parser.GetField();  // address
  const std::string strTime = parser.GetField();
  if (m_nEpochs == 0 || strTime.empty() || strTime != m_strEpochTime) {
    ++m_nEpochs;
  }
  m_strEpochTime = strTime;
}

void CChartFeed::UseMetresForAngles() {
  m_graphLat.m_dLatFactor = m_scatter.m_dMetresPerRadLat;
  m_graphLon.m_dLonFactor = m_scatter.m_dMetresPerRadLon;
}
