#include "charts/sorted_satellites.h"

SSatTable SortSatellites(const SSatTable& raw) {
  SSatTable sorted{};
  std::uint32_t nLowerBound = 0;
  for (SSatInfo& slot : sorted) {
    // The smallest PRN above the one placed before.
    const SSatInfo* pNext = nullptr;
    for (const SSatInfo& sat : raw) {
      if (sat.m_nPrn > nLowerBound && (pNext == nullptr || sat.m_nPrn < pNext->m_nPrn)) {
        pNext = &sat;
      }
    }
    if (pNext == nullptr) {
      break;
    }
    slot = *pNext;
    nLowerBound = pNext->m_nPrn;
  }
  return sorted;
}
