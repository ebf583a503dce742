#pragma once
// The per-type sentence counters of the NMEA monitor: GGA, RMC, GLL, GSA, GSV and VTG.
#include <array>
#include <string>
#include <string_view>

class CSentenceCounts
{
public:
    enum EType
    {
        kGGA = 0,
        kRMC,
        kGLL,
        kGSA,
        kGSV,
        kVTG,
        kTypeCount
    };

    // Counts the sentence that starts at the first '$' of the text; returns the type counted,
    // or -1 when the text holds no sentence of the six types.
    int Count(std::string_view text);
    void Reset() { m_counts.fill(0); }

    int Get(int nType) const { return m_counts[nType]; }
    // The counter as the page shows it: it keeps counting, but the display wraps at 1000.
    std::string DisplayText(int nType) const;

    // The three type letters of a sentence that starts with '$' ("$PTNL," carries its type
    // after the prefix); empty when the text is too short to hold a type.
    static std::string_view TypeAt(std::string_view sentence);

private:
    std::array<int, kTypeCount> m_counts{};
};
