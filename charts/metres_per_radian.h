#pragma once
// Metres per radian of latitude and of longitude at a latitude, from the radii of
// curvature of an ellipsoid: the meridian radius, and the prime-vertical radius times the
// cosine of the latitude. Both are 0 where the ellipsoid's terms degenerate.
#include "settings/ellipsoid.h"

struct SMetresPerRadian
{
    double dLat = 0.0;
    double dLon = 0.0;
};

SMetresPerRadian MetresPerRadian(const CEllipsoid& ellipsoid, double dLatitude);
