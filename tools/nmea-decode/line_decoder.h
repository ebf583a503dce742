#pragma once

#include <cstdint>
#include <limits>
#include <map>
#include <string>
#include <string_view>

#include "nmea/sat_info.h"
#include "nmea/sky_model.h"

// Turns taken lines, one at a time, into one JSON object each: line number, sentence type,
// checksum verdict and, for the sentences the system decodes, the decoded values. Keeps
// the state that spans lines as a monitor window does: one satellite table (so GSA marks
// the satellites earlier GSV sentences listed) and the last course read.
class CLineDecoder
{
public:
    struct SOptions
    {
        bool m_bRaw = false;      // add the line as taken
        bool m_bSummary = false;  // count instead of writing one object per line
        bool m_bSky = false;      // also feed the monitor's satellite model (see WriteSky)
    };

    explicit CLineDecoder(SOptions options) : m_options(options) {}

    // Decodes one line (line end included) and appends its JSON object and a line feed to
    // out; in summary mode only counts it.
    void Decode(std::string_view line, std::string& out);

    // Counts nLines lines of the stream as gone by without decoding them (the lines a
    // probe of the receiver consumed), so that "n" keeps the stream's numbering.
    void SkipLines(std::uint64_t nLines) { m_nLine += nLines; }

    // Appends the summary object and a line feed: lines and decoded lines per type, and
    // the number of lines whose checksum did not verify.
    void WriteSummary(std::string& out) const;

    // Appends the sky the monitor would show after the lines decoded so far, and a line feed:
    // {"satellites":[{"system":S,"svid":N,"elevation":E,"azimuth":A,"snr":R,"used":B},...],
    // "in_view":N,"used":N}, null for values the receiver left empty.
    void WriteSky(std::string& out) const;

private:
    struct SCounts
    {
        std::uint64_t m_nLines = 0;
        std::uint64_t m_nDecoded = 0;
    };

    SOptions m_options;
    std::uint64_t m_nLine = 0;
    SSatTable m_table{};
    CSkyModel m_sky;
    double m_dCourse = std::numeric_limits<double>::quiet_NaN();  // NaN until a course is read
    std::map<std::string, SCounts, std::less<>> m_counts;
    std::uint64_t m_nChecksumFailures = 0;
};
