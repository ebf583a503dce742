#pragma once
// Points of a data series: (x, y) pairs kept newest first. Index 0 is the most recent point;
// inserting at the front and removing the oldest point are constant-time, since a full
// trace does both for every new sample.

#include <deque>

struct tagXY {
  double x = 0.0;
  double y = 0.0;
};

class CXYArray {
 public:
  virtual ~CXYArray() = default;

  void InsertFirst(const tagXY& point) { m_points.push_front(point); }
  void RemoveAt(int nIndex) { m_points.erase(m_points.begin() + nIndex); }
  void RemoveLast() { m_points.pop_back(); }
  void RemoveAll() { m_points.clear(); }
  int GetSize() const { return static_cast<int>(m_points.size()); }
  bool IsEmpty() const { return m_points.empty(); }
  const tagXY& operator[](int nIndex) const { return m_points[static_cast<std::size_t>(nIndex)]; }
  // Newest to oldest.
  auto begin() const { return m_points.begin(); }
  auto end() const { return m_points.end(); }
  const tagXY& Newest() const { return m_points.front(); }
  const tagXY& Oldest() const { return m_points.back(); }

  // The most points the array may hold; enforced by its users (see CDataTrace::AddPoint).
  int m_nMaxPoints = 0;

 private:
  std::deque<tagXY> m_points;
};
