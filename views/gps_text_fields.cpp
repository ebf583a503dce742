#include "views/gps_text_fields.h"

#include <algorithm>

#include "nmea/nmea_angle.h"
#include "platform/c_format.h"
#include "settings/angle_format.h"

const char* const kFixNames[4] = {"No Fix", "2D Fix", "3D Fix", "GPS PPS"};
const SRgbColour kFixColours[4] = {{255, 0, 0}, {255, 128, 0}, {0, 255, 0}, {0, 255, 255}};

namespace
{

// Latitude and longitude kinds of the angle formatter, degrees and decimal minutes, four
// decimals.
constexpr int kAngleLatitude = 5;
constexpr int kAngleLongitude = 6;
constexpr int kDegreesDecimalMinutes = 1;
constexpr int kMinuteDecimals = 4;

int Slot(int nFieldId)
{
    const auto& ids = CGpsTextFields::kFieldIds;
    return static_cast<int>(std::find(ids.begin(), ids.end(), nFieldId) - ids.begin());
}

} // namespace

void CGpsTextFields::Set(int nFieldId, std::string text)
{
    m_texts[Slot(nFieldId)] = std::move(text);
    ++m_nRevision;
}

const std::string& CGpsTextFields::Text(int nFieldId) const
{
    return m_texts.at(Slot(nFieldId));
}

void CGpsTextFields::UpdatePosition(double dLat, double dLon, double dHeight, double dSeparation,
                                    int nSatsUsed, double dHdop, int nFixState)
{
    if (IsPosition(dLat, dLon))
    {
        Set(kLatitude,
            "Lat: " + FormatAngle(kAngleLatitude, dLat, kDegreesDecimalMinutes, kMinuteDecimals));
        Set(kLongitude,
            "Lon: " + FormatAngle(kAngleLongitude, dLon, kDegreesDecimalMinutes, kMinuteDecimals));
    }
    Set(kHeight, FormatC("Height %6.2lfm", dHeight));
    Set(kSeparation, FormatC("Geodetic Separation %6.2lfm", dSeparation));
    SetSatsUsed(nSatsUsed);
    Set(kHdop, FormatC("HDOP %6.2lf", dHdop));
    SetFix(nFixState);
}

void CGpsTextFields::SetFix(int nFixState)
{
    if (nFixState >= 0 && nFixState <= 2)
    {
        m_nFixState = nFixState;
        Set(kFix, kFixNames[nFixState]);
    }
    else
    {
        Set(kFix, "");
    }
}

void CGpsTextFields::SetDop(double dHdop, double dPdop, double dVdop)
{
    Set(kHdop, FormatC("HDOP %6.2lf", dHdop));
    Set(kPdop, FormatC("PDOP %6.2lf", dPdop));
    Set(kVdop, FormatC("VDOP %6.2lf", dVdop));
}

void CGpsTextFields::SetSatsUsed(int nSatsUsed)
{
    Set(kSatsUsed, FormatC("Sats Used %d", nSatsUsed));
}

void CGpsTextFields::SetSatsAvailable(int nSatsInView)
{
    Set(kSatsAvailable, FormatC("Sats Available %d", nSatsInView));
}

void CGpsTextFields::SetCourseAndSpeed(double dCourse, double dSpeed)
{
    Set(kCourse, FormatC("COG %6.2lf\xB0", dCourse));
    Set(kSpeed, FormatC("SOG %6.2lf Knots", dSpeed));
}
