#include "views/gps_monitor_core.h"

#include "nmea/decoders.h"
#include "nmea/sentence.h"
#include "nmea/sentinels.h"

#include <string>

void CGpsMonitorCore::HandleLine(const char* pLine, std::size_t nLength)
{
    std::string unwrapped;
    const std::string_view line = UnwrapTrimble(std::string_view(pLine, nLength), unwrapped);
    const ESkyChange change = m_sky.Feed(line);
    const std::string_view type = SentenceType(line);
    const bool bListed = type == "GGA" || type == "GSA" || type == "GSV" || type == "RMC" ||
                         type == "GLL" || type == "VTG";
    if (!bListed)
        return;
    m_pages.AddSentence(pLine);
    if (type == "GGA")
        HandleGGA(line);
    else if (type == "GSA")
        HandleGSA(line);
    else if (type == "GSV")
        HandleGSV(change);
    else if (type == "VTG")
        HandleVTG(line);
}

void CGpsMonitorCore::HandleGGA(std::string_view line)
{
    double dLat = 0, dLon = 0, dHeight = 0, dSeparation = 0;
    std::int32_t nFixState = 0;
    if (!DecodeGGA(line, &dLat, &dLon, &dHeight, &dSeparation, &nFixState, &m_nSatsUsed, &m_dHdop))
        return;
    m_nSatsUsed = CountOrZero(m_nSatsUsed);
    m_pages.TextFields().UpdatePosition(dLat, dLon, dHeight, dSeparation, m_nSatsUsed, m_dHdop,
                                        nFixState);
    m_pages.TextFieldsChanged();
    m_pages.AddScatterPosition(dLat, dLon);
    m_pages.AddGraphPosition(dLat, dLon, dHeight);
}

void CGpsMonitorCore::HandleGSA(std::string_view line)
{
    // The satellites used come from the model, counted over every system.
    std::int32_t nFixState = 0;
    SSatTable unused{};
    if (!DecodeGSA(line, &nFixState, nullptr, &unused, &m_dHdop, &m_dPdop, &m_dVdop))
        return;
    m_nSatsUsed = m_sky.Used();
    m_pages.UpdateDop(m_dHdop, m_dPdop, m_dVdop, m_nSatsUsed, m_nSatsInView);
    CGpsTextFields& fields = m_pages.TextFields();
    fields.SetFix(nFixState);
    fields.SetDop(m_dHdop, m_dPdop, m_dVdop);
    fields.SetSatsUsed(m_nSatsUsed);
    m_pages.TextFieldsChanged();
}

void CGpsMonitorCore::HandleGSV(ESkyChange change)
{
    if (change != ESkyChange::kView)
        return;
    m_nSatsInView = m_sky.InView();
    m_pages.SatellitesChanged();
    m_pages.TextFields().SetSatsAvailable(m_nSatsInView);
    m_pages.TextFieldsChanged();
}

void CGpsMonitorCore::HandleVTG(std::string_view line)
{
    if (!m_courseAndSpeed.Update(line))
        return;
    m_pages.TextFields().SetCourseAndSpeed(m_courseAndSpeed.m_dCourse, m_courseAndSpeed.m_dSpeed);
    m_pages.TextFieldsChanged();
}
