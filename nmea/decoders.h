#pragma once

#include <cstdint>
#include <string_view>

#include "nmea/sat_info.h"

// Decoders of single sentences, given as TakeLine returns them (line end included).
// Every output pointer may be null: the field is then read past without being stored.
// A decoder returns true when it decoded the sentence (whatever its checksum says) and
// false when the sentence does not start with '$' or is not of its type; GSA and GSV also
// return false without a satellite table. Missing fields give the documented defaults.

// Position in radians, altitude in metres (plus the geoidal separation when pSeparation
// is null), fix state 0 (quality 0) or 2, satellites in use (kNmeaAbsentInt when empty),
// HDOP (0 when missing).
bool DecodeGGA(std::string_view sentence, double* pLatitude, double* pLongitude,
               double* pHeight, double* pSeparation, std::int32_t* pFix,
               std::int32_t* pSatellites, double* pHdop);

// Fix state 0 none, 1 2D, 2 3D; marks the table entries whose PRN the sentence lists as
// used (clearing the others) and counts them; DOP values 0 when missing.
bool DecodeGSA(std::string_view sentence, std::int32_t* pFix, std::int32_t* pSatellitesUsed,
               SSatTable* pTable, double* pHdop, double* pPdop, double* pVdop);

// Fills the table entries of this message of the group; satellites in view
// (kNmeaAbsentInt when empty) and whether this is the group's last message.
bool DecodeGSV(std::string_view sentence, SSatTable* pTable, std::int32_t* pInView,
               bool* pLast);

// Course in degrees (true, else magnetic; unchanged when both are empty or too large for a
// double) and speed in knots (-1 when empty or too large).
bool DecodeVTG(std::string_view sentence, double* pCourse, double* pSpeed);
