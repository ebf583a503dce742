#include "platform/gpsd_reply_filter.h"

#include <algorithm>
#include <cstring>

namespace
{

// gpsd's reports are short; a longer line is not one of them and is dropped unread.
constexpr size_t kMaxReport = 64 * 1024;

} // namespace

std::string JsonStringMember(const std::string& strJson, const std::string& strKey, size_t& nFrom)
{
    std::string strPattern = "\"" + strKey + "\":\"";
    size_t nStart = strJson.find(strPattern, nFrom);
    if (nStart == std::string::npos)
    {
        nFrom = std::string::npos;
        return {};
    }
    std::string strValue;
    size_t i = nStart + strPattern.size();
    for (; i < strJson.size() && strJson[i] != '"'; ++i)
    {
        if (strJson[i] == '\\' && i + 1 < strJson.size())
            ++i;
        strValue += strJson[i];
    }
    nFrom = i;
    return strValue;
}

size_t CGpsdReplyFilter::Filter(char* pData, size_t nLength)
{
    size_t nKept = 0;
    for (size_t i = 0; i < nLength;)
    {
        if (m_bLineStart)
            m_bInReport = pData[i] == '{';
        const char* pLineFeed = static_cast<const char*>(std::memchr(pData + i, '\n', nLength - i));
        size_t nEnd = pLineFeed ? static_cast<size_t>(pLineFeed - pData) + 1 : nLength;
        if (m_bInReport)
        {
            if (m_strReport.size() < kMaxReport)
                m_strReport.append(pData + i, std::min(nEnd - i, kMaxReport - m_strReport.size()));
            if (pLineFeed)
            {
                HandleReport(m_strReport);
                m_strReport.clear();
            }
        }
        else
        {
            std::memmove(pData + nKept, pData + i, nEnd - i);
            nKept += nEnd - i;
        }
        m_bLineStart = pLineFeed != nullptr;
        i = nEnd;
    }
    return nKept;
}

void CGpsdReplyFilter::HandleReport(const std::string& strReport)
{
    size_t nFrom = 0;
    std::string strClass = JsonStringMember(strReport, "class", nFrom);
    if (strClass == "WATCH")
        m_bWatchAnswered = true;
    else if (strClass == "ERROR")
    {
        nFrom = 0;
        m_strGpsdError = JsonStringMember(strReport, "message", nFrom);
    }
    else if (strClass == "DEVICES")
    {
        m_bDevicesKnown = true;
        m_devices.clear();
        for (nFrom = 0; nFrom != std::string::npos;)
        {
            std::string strPath = JsonStringMember(strReport, "path", nFrom);
            if (nFrom != std::string::npos)
                m_devices.insert(strPath);
        }
    }
    else if (strClass == "DEVICE")
    {
        // A device gpsd let go of is reported with "activated":0; any other report of a
        // device means gpsd reads it.
        std::string strPath = JsonStringMember(strReport, "path", nFrom);
        if (strReport.find("\"activated\":0") != std::string::npos)
            m_devices.erase(strPath);
        else if (!strPath.empty())
            m_devices.insert(strPath);
    }
}
