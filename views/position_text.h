#pragma once
// The position texts of the monitor windows: degrees and decimal minutes at the default
// precision with the hemisphere letter, such as 51°28.0210'N (Windows-1252).
#include <string>

std::string LatitudeText(double dLatitude);
std::string LongitudeText(double dLongitude);
