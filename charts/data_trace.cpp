#include "charts/data_trace.h"

#include <utility>

#include "nmea/sentinels.h"

CDataTrace::CDataTrace() { m_nMaxPoints = kMaxPoints; }

CDataTrace::CDataTrace(std::string strName, CanvasColour crTrace)
    : m_strTraceName(std::move(strName)), m_crTrace(crTrace) {
  m_nMaxPoints = kMaxPoints;
}

bool CDataTrace::AddPoint(double x, double y) {
  if (x == kNmeaAbsentDouble || y == kNmeaAbsentDouble) {
    return false;
  }
  while (GetSize() > 0 && GetSize() >= m_nMaxPoints) {
    RemoveLast();
  }
  InsertFirst({x, y});
  return true;
}
