#pragma once
// What the GPS property sheet does with each received line, apart from its windows: it names
// the sentence, lists it on the NMEA page, decodes GGA, GSA, GSV and VTG, keeps the values
// several pages share and pushes the results into the pages in a fixed order.
#include <cstddef>
#include <string_view>

#include "nmea/course_speed.h"
#include "nmea/sat_info.h"
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
    // A GSV group is complete and the sorted table holds it: repaint the satellite pages.
    virtual void SatellitesChanged() = 0;
};

class CGpsMonitorCore
{
public:
    explicit CGpsMonitorCore(IGpsMonitorPages& pages) : m_pages(pages) {}

    // One line as the ring delivered it (line end included, NUL-terminated).
    void HandleLine(const char* pLine, std::size_t nLength);
    // Each satellite of the raw table once, by ascending PRN, the empty records at the end.
    void SortSatellites();

    SSatTable m_satSorted{};
    SSatTable m_satRaw{};
    bool m_bGsvComplete = false;
    double m_dHdop = 0;
    double m_dVdop = 0;
    double m_dPdop = 0;
    int m_nSatsUsed = 0;
    int m_nSatsInView = 0;
    SCourseAndSpeed m_courseAndSpeed;

private:
    void HandleGGA(std::string_view line);
    void HandleGSA(std::string_view line);
    void HandleGSV(std::string_view line);
    void HandleVTG(std::string_view line);

    IGpsMonitorPages& m_pages;
};
