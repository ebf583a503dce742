#pragma once
// What the GPS property sheet does with each received line, apart from its windows: it names
// the sentence, lists it on the NMEA page, decodes GGA, GSA and VTG, keeps the satellites of
// every system in the satellite model, keeps the values several pages share and pushes the
// results into the pages in a fixed order.
#include <cstddef>
#include <string_view>

#include "nmea/course_speed.h"
#include "nmea/sky_model.h"
#include "views/gps_text_fields.h"

// The pages as the sheet drives them.
class IGpsMonitorPages
{
public:
    virtual ~IGpsMonitorPages() = default;
    // The raw line for the NMEA page (the page decides whether its window exists).
    virtual void AddSentence(const char* pLine) = 0;
    // The "GPS Data" page's fields; TextFieldsChanged is called after each batch of changes.
    virtual CGpsTextFields& TextFields() = 0;
    virtual void TextFieldsChanged() = 0;
    virtual void AddScatterPosition(double dLat, double dLon) = 0;
    virtual void AddGraphPosition(double dLat, double dLon, double dHeight) = 0;
    virtual void UpdateDop(double dHdop, double dPdop, double dVdop, int nSatsUsed,
                           int nSatsInView) = 0;
    // A GSV group is complete and the satellite model's view holds it: repaint the satellite
    // pages.
    virtual void SatellitesChanged() = 0;
};

class CGpsMonitorCore
{
public:
    explicit CGpsMonitorCore(IGpsMonitorPages& pages) : m_pages(pages) {}

    // One line as the ring delivered it (line end included, NUL-terminated).
    void HandleLine(const char* pLine, std::size_t nLength);

    // The satellites the pages draw (View); satellites in view and used are its totals.
    CSkyModel m_sky;
    double m_dHdop = 0;
    double m_dVdop = 0;
    double m_dPdop = 0;
    int m_nSatsUsed = 0;
    int m_nSatsInView = 0;
    SCourseAndSpeed m_courseAndSpeed;

private:
    void HandleGGA(std::string_view line);
    void HandleGSA(std::string_view line);
    void HandleGSV(ESkyChange change);
    void HandleVTG(std::string_view line);

    IGpsMonitorPages& m_pages;
};
