#include "tools/zephyrane-sim/recorded_source.h"

#include "nmea/sentence.h"

#include <set>
#include <string_view>

namespace
{

// The UTC time field of a position sentence ("" when empty), or nothing for other lines.
bool PositionTime(std::string_view line, std::string_view& type, std::string& strTime)
{
    type = SentenceType(line);
    int nField;
    if (type == "GGA" || type == "RMC")
        nField = 1;
    else if (type == "GLL")
        nField = 5;
    else
        return false;
    size_t nAt = 0;
    for (int n = 0; n < nField && nAt != std::string_view::npos; ++n)
    {
        nAt = line.find(',', nAt);
        if (nAt != std::string_view::npos)
            ++nAt;
    }
    strTime.clear();
    if (nAt == std::string_view::npos)
        return true;
    size_t nEnd = line.find_first_of(",*\r\n", nAt);
    strTime = line.substr(nAt, nEnd == std::string_view::npos ? std::string_view::npos : nEnd - nAt);
    return true;
}

std::vector<std::string> WithoutComments(std::vector<std::string> lines)
{
    std::erase_if(lines, [](const std::string& strLine) { return strLine.starts_with('#'); });
    return lines;
}

} // namespace

CRecordedSource::CRecordedSource(std::vector<std::string> lines, double dLinesPerSecond, bool bLoop)
    : m_lines(WithoutComments(std::move(lines)))
    , m_epochs(Epochs(m_lines))
    , m_dLinesPerSecond(dLinesPerSecond)
    , m_bLoop(bLoop)
{
}

std::vector<std::string> CRecordedSource::SplitLines(const std::string& strBytes)
{
    std::vector<std::string> lines;
    size_t nStart = 0;
    while (nStart < strBytes.size())
    {
        size_t nEnd = strBytes.find('\n', nStart);
        nEnd = nEnd == std::string::npos ? strBytes.size() : nEnd + 1;
        lines.push_back(strBytes.substr(nStart, nEnd - nStart));
        nStart = nEnd;
    }
    return lines;
}

std::vector<int> CRecordedSource::Epochs(const std::vector<std::string>& lines)
{
    std::vector<int> epochs;
    int nEpoch = 0;
    std::string strEpochTime;
    std::set<std::string, std::less<>> typesSeen;
    for (const std::string& strLine : lines)
    {
        std::string_view type;
        std::string strTime;
        if (PositionTime(strLine, type, strTime))
        {
            bool bNewTime = !strTime.empty() && !strEpochTime.empty() && strTime != strEpochTime;
            if (bNewTime || typesSeen.contains(type))
            {
                ++nEpoch;
                typesSeen.clear();
                strEpochTime.clear();
            }
            typesSeen.emplace(type);
            if (!strTime.empty())
                strEpochTime = strTime;
        }
        epochs.push_back(nEpoch);
    }
    return epochs;
}

bool CRecordedSource::Next(double, STimedLine& line)
{
    if (m_lines.empty())
        return false;
    if (m_nNext == m_lines.size())
    {
        if (!m_bLoop)
            return false;
        // The next pass begins one step after the last line of this one.
        m_dPassStart += m_dLinesPerSecond > 0.0 ? static_cast<double>(m_lines.size()) / m_dLinesPerSecond
                                                : static_cast<double>(m_epochs.back() + 1);
        m_nNext = 0;
    }
    double dOffset = m_dLinesPerSecond > 0.0 ? static_cast<double>(m_nNext) / m_dLinesPerSecond
                                             : static_cast<double>(m_epochs[m_nNext]);
    line.m_dDue = m_dPassStart + dOffset;
    line.m_strBytes = m_lines[m_nNext++];
    return true;
}
