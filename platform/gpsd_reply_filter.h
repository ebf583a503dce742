#pragma once
// Splits what gpsd sends a watcher in NMEA mode into the receiver's sentences, which pass
// on untouched, and gpsd's own JSON reports (one object a line), which never do. From the
// reports it keeps which devices gpsd reads and whether it answered the watch request.
// Works on any split of the stream into reads.

#include <cstddef>
#include <set>
#include <string>

class CGpsdReplyFilter
{
public:
    // Removes gpsd's reports from the nLength bytes at pData in place; returns how many
    // bytes of NMEA text are left at pData.
    size_t Filter(char* pData, size_t nLength);

    // True once gpsd has answered the watch request.
    bool WatchAnswered() const { return m_bWatchAnswered; }
    // True once a device list came.
    bool DevicesKnown() const { return m_bDevicesKnown; }
    // The devices gpsd reads, from its device list and its later device reports.
    const std::set<std::string>& Devices() const { return m_devices; }
    // The text of the last error report, empty when none came.
    const std::string& LastGpsdError() const { return m_strGpsdError; }

    void Reset() { *this = CGpsdReplyFilter(); }

private:
    void HandleReport(const std::string& strReport);

    bool m_bLineStart = true;
    bool m_bInReport = false;
    std::string m_strReport;
    bool m_bWatchAnswered = false;
    bool m_bDevicesKnown = false;
    std::set<std::string> m_devices;
    std::string m_strGpsdError;
};

// The value of the first string member named strKey at or after nFrom in a JSON text, or
// empty; nFrom moves past it. Escapes are taken as the characters they stand for when
// simple ("\"", "\\", "\/").
std::string JsonStringMember(const std::string& strJson, const std::string& strKey, size_t& nFrom);
