#pragma once
// One series of a time-series graph: its points newest first, its legend name and colour.

#include <string>

#include "charts/xy_array.h"
#include "platform/canvas.h"

class CDataTrace : public CXYArray {
 public:
  static constexpr int kMaxPoints = 32768;

  CDataTrace();
  CDataTrace(std::string strName, CanvasColour crTrace);

  // Adds a sample as the newest point, dropping the oldest ones beyond the point limit.
  // A coordinate equal to the absent-number sentinel (the largest finite double) is
  // refused: nothing changes and the result is false.
  bool AddPoint(double x, double y);

  std::string m_strTraceName;
  CanvasColour m_crTrace;
};
