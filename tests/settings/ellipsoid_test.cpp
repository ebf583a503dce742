#include "settings/ellipsoid.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
TEST(EllipsoidTest, Wgs84AndItsDerivedConstants)
{
    const CEllipsoid wgs84;
    EXPECT_EQ(wgs84.m_strName, "WGS 1984");
    EXPECT_EQ(wgs84.m_nEllipsoidNumber, 26);
    EXPECT_EQ(wgs84.m_nEllipsoidCode, 7030);
    EXPECT_EQ(wgs84.m_dA, 6378137.0);
    // e^2 of WGS 84 as published (NIMA TR8350.2: 6.69437999014e-3), to double precision.
    EXPECT_EQ(wgs84.m_dE2, 0.0066943799901413165);
    EXPECT_DOUBLE_EQ(wgs84.m_dE * wgs84.m_dE, wgs84.m_dE2);
    EXPECT_DOUBLE_EQ(wgs84.m_dB, wgs84.m_dA * (1.0 - 1.0 / wgs84.m_dInvFlattening));
    EXPECT_LT(wgs84.m_dArcScale, wgs84.m_dA);
    EXPECT_NEAR(wgs84.m_dArcSlope, wgs84.m_dOneMinusE2, std::nextafter(1.0, 2.0) - 1.0);
    EXPECT_DOUBLE_EQ(wgs84.m_dOnePlusEp2 * wgs84.m_dOneMinusE2, 1.0);
    // n = (a - b) / (a + b), the third flattening.
    EXPECT_NEAR(wgs84.m_dN, (wgs84.m_dA - wgs84.m_dB) / (wgs84.m_dA + wgs84.m_dB), 1e-15);
    EXPECT_EQ(wgs84.m_dNCopy, wgs84.m_dN);
    // Meridian distance from the equator to the pole, 10001965.729 m (NGA's figure for
    // WGS 84), from the arc series at pi/2 where the sine terms vanish.
    EXPECT_NEAR(wgs84.m_dArcScale * M_PI / 2.0, 10001965.729, 0.01);
    // The footpoint series inverts the arc series: latitude 0.9 rad back from its arc.
    const double phi = 0.9;
    const double arc = wgs84.m_dArcScale * phi - wgs84.m_dA * (wgs84.m_dA2 * std::sin(2 * phi) -
                                                                wgs84.m_dA4 * std::sin(4 * phi) +
                                                                wgs84.m_dA6 * std::sin(6 * phi));
    const double mu = arc / wgs84.m_dArcScale;
    EXPECT_NEAR(mu + wgs84.m_dF2 * std::sin(2 * mu) + wgs84.m_dF4 * std::sin(4 * mu) + wgs84.m_dF6 * std::sin(6 * mu) +
                    wgs84.m_dF8 * std::sin(8 * mu),
                phi, 1e-9);
    // Polar stereographic constant: sqrt((1+e)^(1+e) (1-e)^(1-e)), about 1.003356 for WGS 84.
    EXPECT_NEAR(wgs84.m_dPolarK, 1.0033565, 1e-6);
}

TEST(EllipsoidTest, NoFlatteningGivesNoDerivedConstants)
{
    CEllipsoid ellipsoid;
    ellipsoid.m_dInvFlattening = 0.0;
    ellipsoid.DeriveConstants();
    for (double field : {ellipsoid.m_dE2, ellipsoid.m_dE, ellipsoid.m_dHalfE, ellipsoid.m_dPolarK, ellipsoid.m_dN,
                         ellipsoid.m_dOneMinusE2, ellipsoid.m_dEp2, ellipsoid.m_dOnePlusEp2, ellipsoid.m_dA0,
                         ellipsoid.m_dA2, ellipsoid.m_dA4, ellipsoid.m_dA6, ellipsoid.m_dArcScale, ellipsoid.m_dArcSlope,
                         ellipsoid.m_dNCopy, ellipsoid.m_dF2, ellipsoid.m_dF4, ellipsoid.m_dF6, ellipsoid.m_dF8})
        EXPECT_EQ(field, 0.0);
    EXPECT_TRUE(ellipsoid.SetWgs84(99));
    EXPECT_EQ(ellipsoid.m_nEllipsoidNumber, 26);
    EXPECT_GT(ellipsoid.m_dE2, 0.0);
}
} // namespace
