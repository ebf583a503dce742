#include "platform/gpsd_source.h"

#include "platform/net_address.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <functional>

namespace
{

// How long gpsd may take to answer the watch request.
constexpr int kAnswerWaitMilliseconds = 2000;

std::string JsonQuoted(const std::string& strText)
{
    std::string strQuoted = "\"";
    for (char c : strText)
    {
        if (c == '"' || c == '\\')
            strQuoted += '\\';
        if (static_cast<unsigned char>(c) >= 0x20)
            strQuoted += c;
    }
    return strQuoted + "\"";
}

} // namespace

CGpsdSource::CGpsdSource(std::string strHost, int nPort, std::string strDevice, const std::atomic<bool>* pbCancel)
    : CTcpSource(std::move(strHost), nPort, pbCancel)
    , m_strDevice(std::move(strDevice))
{
}

std::string CGpsdSource::Describe() const
{
    std::string strText = "gpsd " + HostPort();
    if (!m_strDevice.empty())
        strText += " " + m_strDevice;
    return strText;
}

std::string CGpsdSource::WatchRequest() const
{
    std::string strRequest = "?WATCH={\"enable\":true,\"nmea\":true";
    if (!m_strDevice.empty())
        strRequest += ",\"device\":" + JsonQuoted(m_strDevice);
    return strRequest + "}\n";
}

std::string CGpsdSource::MissingDevice() const
{
    if (!m_filter.DevicesKnown())
        return {};
    if (m_strDevice.empty())
        return m_filter.Devices().empty() ? "gpsd has no receiver" : std::string();
    return m_filter.Devices().contains(m_strDevice) ? std::string() : "gpsd has no device " + m_strDevice;
}

std::set<std::string> CGpsdSource::ListDevices(const std::string& strHost, int nPort)
{
    CGpsdSource gpsd(strHost, nPort);
    if (!gpsd.CTcpSource::Open() || !gpsd.Send("?DEVICES;\n"))
        return {};
    gpsd.AwaitAnswer([&] { return gpsd.m_filter.DevicesKnown(); });
    return gpsd.m_filter.Devices();
}

bool CGpsdSource::AwaitWatchAnswer()
{
    return AwaitAnswer([this] { return m_filter.WatchAnswered() || !m_filter.LastGpsdError().empty(); });
}

bool CGpsdSource::AwaitAnswer(const std::function<bool()>& answered)
{
    COpenWait wait(kAnswerWaitMilliseconds, CancelFlag());
    char buffer[2048];
    while (IsOpen() && !answered())
    {
        int nStep = wait.NextStep();
        if (nStep == 0)
        {
            Fail("no answer from gpsd");
            return false;
        }
        WaitForData(nStep);
        long nRead = CTcpSource::Read(buffer, sizeof buffer);
        if (nRead > 0)
            m_strPending.append(buffer, m_filter.Filter(buffer, static_cast<size_t>(nRead)));
    }
    return IsOpen();
}

bool CGpsdSource::Open()
{
    if (IsOpen())
        return true;
    m_filter.Reset();
    m_strPending.clear();
    if (!CTcpSource::Open() || !Send(WatchRequest()) || !AwaitWatchAnswer())
        return false;
    std::string strMissing = MissingDevice();
    // gpsd answers a watch of a device it does not know with an error report.
    if (!m_filter.LastGpsdError().empty())
        strMissing = m_strDevice.empty() ? "gpsd: " + m_filter.LastGpsdError() : "gpsd has no device " + m_strDevice;
    if (!strMissing.empty())
    {
        Fail(strMissing);
        return false;
    }
    return true;
}

long CGpsdSource::Read(void* pBuffer, size_t nMax)
{
    char* pOut = static_cast<char*>(pBuffer);
    if (!m_strPending.empty())
    {
        size_t nCopy = std::min(nMax, m_strPending.size());
        std::memcpy(pOut, m_strPending.data(), nCopy);
        m_strPending.erase(0, nCopy);
        return static_cast<long>(nCopy);
    }
    long nRead = CTcpSource::Read(pBuffer, nMax);
    if (nRead <= 0)
        return nRead;
    size_t nKept = m_filter.Filter(pOut, static_cast<size_t>(nRead));
    std::string strMissing = MissingDevice();
    if (!strMissing.empty())
    {
        Fail(strMissing == "gpsd has no receiver" ? "gpsd lost its receiver" : strMissing);
        return nKept > 0 ? static_cast<long>(nKept) : -1;
    }
    return static_cast<long>(nKept);
}
