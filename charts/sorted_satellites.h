#pragma once
// The table the satellite charts are given: each satellite of a GSV group once, by
// ascending PRN, the empty records at the end.

#include "nmea/sat_info.h"

// Builds the sorted table from the table the decoders fill. A PRN found in several records
// is taken once, from the first of them (with its used flag).
SSatTable SortSatellites(const SSatTable& raw);
