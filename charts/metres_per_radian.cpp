#include "charts/metres_per_radian.h"

#include <cmath>

SMetresPerRadian MetresPerRadian(const CEllipsoid& ellipsoid, double dLatitude)
{
    const double dSin = std::sin(dLatitude);
    const double dW2 = 1.0 - ellipsoid.m_dE2 * dSin * dSin;
    if (dW2 <= 0.0)
        return {};
    return {ellipsoid.m_dA * (1.0 - ellipsoid.m_dE2) / std::pow(dW2, 1.5),
            ellipsoid.m_dA / std::sqrt(dW2) * std::cos(dLatitude)};
}
