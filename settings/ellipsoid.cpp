#include "settings/ellipsoid.h"

#include <cmath>

namespace
{
constexpr std::int32_t kWgs84Number = 26;
constexpr std::int32_t kWgs84EpsgCode = 7030;
constexpr double kWgs84A = 6378137.0;
constexpr double kWgs84B = 6356752.314245179;
constexpr double kWgs84InvFlattening = 298.257223563;
} // namespace

CEllipsoid::CEllipsoid()
{
    SetWgs84(kWgs84Number);
}

bool CEllipsoid::SetWgs84(std::int32_t /*ellipsoidNumber: WGS 84 is the only one*/)
{
    m_strName = "WGS 1984";
    m_nEllipsoidNumber = kWgs84Number;
    m_nEllipsoidCode = kWgs84EpsgCode;
    m_dA = kWgs84A;
    m_dB = kWgs84B;
    m_dInvFlattening = kWgs84InvFlattening;
    DeriveConstants();
    return true;
}

void CEllipsoid::DeriveConstants()
{
    if (!(m_dInvFlattening > 0.0))
    {
        m_dE2 = m_dE = m_dHalfE = m_dPolarK = m_dN = m_dOneMinusE2 = m_dEp2 = m_dOnePlusEp2 = 0.0;
        m_dA0 = m_dA2 = m_dA4 = m_dA6 = m_dArcScale = m_dArcSlope = 0.0;
        m_dNCopy = m_dF2 = m_dF4 = m_dF6 = m_dF8 = 0.0;
        return;
    }
    m_dE2 = 2.0 / m_dInvFlattening - 1.0 / (m_dInvFlattening * m_dInvFlattening);
    m_dE = std::sqrt(m_dE2);
    m_dHalfE = m_dE / 2.0;
    m_dPolarK = std::sqrt(std::pow(1.0 + m_dE, 1.0 + m_dE) * std::pow(1.0 - m_dE, 1.0 - m_dE));
    const double root = std::sqrt(1.0 - m_dE2);
    m_dN = (1.0 - root) / (1.0 + root);
    m_dOneMinusE2 = 1.0 - m_dE2;
    m_dEp2 = m_dE2 / m_dOneMinusE2;
    m_dOnePlusEp2 = 1.0 + m_dEp2;

    const double e4 = m_dE2 * m_dE2;
    const double e6 = e4 * m_dE2;
    m_dA0 = 1.0 - m_dE2 / 4.0 - 3.0 * e4 / 64.0 - 5.0 * e6 / 256.0;
    m_dA2 = 3.0 / 8.0 * (m_dE2 + e4 / 4.0 + 15.0 * e6 / 128.0);
    m_dA4 = 15.0 / 256.0 * (e4 + 3.0 * e6 / 4.0);
    m_dA6 = 35.0 * e6 / 3072.0;
    m_dArcScale = m_dA * m_dA0;
    m_dArcSlope = m_dA0 - 2.0 * m_dA2 + 4.0 * m_dA4 - 6.0 * m_dA6;

    const double n = m_dN;
    const double n2 = n * n;
    const double n3 = n2 * n;
    const double n4 = n3 * n;
    m_dNCopy = n;
    m_dF2 = 3.0 * n / 2.0 - 27.0 * n3 / 32.0;
    m_dF4 = 21.0 * n2 / 16.0 - 55.0 * n4 / 32.0;
    m_dF6 = 151.0 * n3 / 96.0;
    m_dF8 = 1097.0 * n4 / 512.0;
}
