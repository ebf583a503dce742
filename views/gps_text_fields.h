#pragma once
// The twelve value fields of the "GPS Data" page as texts, with the fix state that picks
// the fix field's colour. The page shows these texts; keeping them here means a value written
// before the page's window exists is shown when the window appears.
#include <array>
#include <string>

struct SRgbColour
{
    int r, g, b;
    bool operator==(const SRgbColour&) const = default;
};

extern const char* const kFixNames[4];  // "No Fix", "2D Fix", "3D Fix", "GPS PPS"
extern const SRgbColour kFixColours[4]; // red, orange, green, cyan

class CGpsTextFields
{
public:
    // Control ids of the fields, in the page's layout.
    enum EField
    {
        kLatitude = 1002,
        kLongitude = 1003,
        kHeight = 1005,
        kHdop = 1006,
        kSeparation = 1007,
        kPdop = 1008,
        kVdop = 1009,
        kSatsUsed = 1010,
        kSatsAvailable = 1011,
        kFix = 1012,
        kCourse = 1013,
        kSpeed = 1014,
    };
    static constexpr std::array<int, 12> kFieldIds = {
        kLatitude, kLongitude, kHeight,        kSeparation, kHdop,   kPdop,
        kVdop,     kSatsUsed,  kSatsAvailable, kFix,        kCourse, kSpeed};

    // One decoded GGA sentence: angles in radians, height and separation in metres. A
    // position that is no place on Earth leaves the latitude and longitude texts as they are.
    void UpdatePosition(double dLat, double dLon, double dHeight, double dSeparation, int nSatsUsed,
                        double dHdop, int nFixState);

    // The fields the sheet writes directly from GSA, VTG and GSV sentences.
    void SetFix(int nFixState);
    void SetDop(double dHdop, double dPdop, double dVdop);
    void SetSatsUsed(int nSatsUsed);
    void SetSatsAvailable(int nSatsInView);
    void SetCourseAndSpeed(double dCourse, double dSpeed);

    const std::string& Text(int nFieldId) const;
    int FixState() const { return m_nFixState; }
    SRgbColour FixColour() const { return kFixColours[m_nFixState]; }
    // Counts every change, so that a view can tell whether it must refresh.
    unsigned Revision() const { return m_nRevision; }

private:
    void Set(int nFieldId, std::string text);

    std::array<std::string, 12> m_texts;
    int m_nFixState = 0;
    unsigned m_nRevision = 0;
};
