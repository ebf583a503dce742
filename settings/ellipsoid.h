#pragma once
// The WGS 84 reference ellipsoid and the constants derived from it for the Transverse
// Mercator series (meridian arc and footpoint latitude) and the polar stereographic
// projection.

#include <cstdint>
#include <string>

class CEllipsoid
{
public:
    CEllipsoid();

    // Stores WGS 84 (the number is always 26) and derives the constants; returns true.
    bool SetWgs84(std::int32_t ellipsoidNumber);

    // Computes every derived field from a and 1/f; all zero when 1/f is not positive.
    void DeriveConstants();

    std::string m_strName;
    std::int32_t m_nEllipsoidNumber = 0;
    std::int32_t m_nEllipsoidCode = 0;
    double m_dA = 0.0;              // semi-major axis, metres
    double m_dB = 0.0;              // semi-minor axis, metres
    double m_dInvFlattening = 0.0;  // 1/f
    double m_dE2 = 0.0;             // first eccentricity squared
    double m_dE = 0.0;
    double m_dHalfE = 0.0;
    double m_dPolarK = 0.0;         // polar stereographic constant
    double m_dN = 0.0;              // third flattening
    double m_dOneMinusE2 = 0.0;
    double m_dEp2 = 0.0;            // second eccentricity squared
    double m_dOnePlusEp2 = 0.0;
    double m_dA0 = 0.0;             // meridian arc series
    double m_dA2 = 0.0;
    double m_dA4 = 0.0;
    double m_dA6 = 0.0;
    double m_dArcScale = 0.0;       // a * A0
    double m_dArcSlope = 0.0;       // slope of the arc series at the equator
    double m_dNCopy = 0.0;
    double m_dF2 = 0.0;             // footpoint latitude series
    double m_dF4 = 0.0;
    double m_dF6 = 0.0;
    double m_dF8 = 0.0;
};
