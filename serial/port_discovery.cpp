#include "serial/port_discovery.h"

#include "platform/com_numbers.h"

#include <algorithm>
#include <limits>
#include <cctype>
#include <functional>
#include <strings.h>
#include <unistd.h>

namespace
{

void RemoveAll(std::string& str, const std::string& strWord)
{
    for (size_t n = str.find(strWord); n != std::string::npos; n = str.find(strWord, n))
        str.erase(n, strWord.size());
}

// One left-to-right pass, so four spaces become two.
void ReplaceDoubleSpaces(std::string& str)
{
    std::string strOut;
    for (size_t n = 0; n < str.size(); ++n)
    {
        strOut += str[n];
        if (str[n] == ' ' && n + 1 < str.size() && str[n + 1] == ' ')
            ++n;
    }
    str = strOut;
}

bool IsSpace(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

void TrimLeft(std::string& str, bool (*pfnDrop)(char))
{
    str.erase(str.begin(), std::find_if_not(str.begin(), str.end(), pfnDrop));
}

void TrimRight(std::string& str, bool (*pfnDrop)(char))
{
    str.erase(std::find_if_not(str.rbegin(), str.rend(), pfnDrop).base(), str.end());
}

// Generic words go; "Communications Port (COM1)" becomes "COM1".
std::string CleanFriendlyName(std::string str)
{
    RemoveAll(str, "Communication Port");
    RemoveAll(str, "Communications Port");
    RemoveAll(str, "Serial Port");
    ReplaceDoubleSpaces(str);
    TrimLeft(str, IsSpace);
    if (!str.empty() && str.front() == '(')
    {
        TrimLeft(str, [](char c) { return c == '('; });
        TrimRight(str, [](char c) { return c == ' ' || c == ')'; });
    }
    else
        TrimRight(str, IsSpace);
    return str;
}

// The friendly name without a trailing " (...)".
std::string DescriptionFromFriendlyName(const std::string& strFriendly)
{
    size_t nOpen = strFriendly.find(" (");
    if (nOpen != std::string::npos && nOpen > 0 && strFriendly.find(')') == strFriendly.size() - 1)
        return strFriendly.substr(0, nOpen);
    return strFriendly;
}

} // namespace

bool MakeSerInfo(const SPortDevice& device, SSerInfo& info)
{
    const std::string& strFriendly = device.m_strFriendlyName;
    if (strFriendly.empty())
        return false;

    info = SSerInfo{};
    info.m_strDevicePath = device.m_strDevicePath;
    info.m_bUsbDevice = device.m_strLocation.compare(0, 3, "USB") == 0;

    size_t nCom = strFriendly.find("(COM");
    if (nCom != std::string::npos)
    {
        int nNumber = 0;
        for (size_t n = nCom + 4; n < strFriendly.size() && std::isdigit(static_cast<unsigned char>(strFriendly[n])); ++n)
            nNumber = std::min(nNumber * 10 + (strFriendly[n] - '0'), 1 << 20);
        // A number the field cannot hold is no port number (cut to 16 bits it could name
        // another port).
        info.m_nPort = nNumber <= std::numeric_limits<int16_t>::max() ? static_cast<int16_t>(nNumber) : 0;
        info.m_strPortName = strFriendly.substr(nCom + 1);
        std::erase(info.m_strPortName, ')');
    }
    else
        info.m_strPortName = "COM?";

    info.m_strFriendlyName = CleanFriendlyName(strFriendly);
    if (info.m_strFriendlyName.empty())
        info.m_strFriendlyName = info.m_strPortName;

    info.m_strDescription = device.m_strDescription;
    info.m_strUsbId = device.m_strUsbId;
    if (!info.m_bUsbDevice && info.m_strDescription.find("USB") != std::string::npos)
        info.m_bUsbDevice = true;
    if (info.m_strDescription.empty())
        info.m_strDescription = DescriptionFromFriendlyName(info.m_strFriendlyName);
    return true;
}

int ListSerialPorts(std::vector<SSerInfo>& ports)
{
    ports.clear();
    for (const SPortDevice& device : EnumerateSerialDevices())
    {
        SSerInfo info;
        if (MakeSerInfo(device, info))
            ports.push_back(std::move(info));
    }
    return static_cast<int>(ports.size());
}

namespace
{

// The port number of the first listed port that bMatches, or 0; a listing that fails finds
// nothing.
int FindFirstPort(const std::function<bool(const SSerInfo&)>& bMatches)
{
    std::vector<SSerInfo> ports;
    try
    {
        ListSerialPorts(ports);
    }
    catch (const CPortListError&)
    {
        return 0;
    }
    for (const SSerInfo& info : ports)
        if (bMatches(info))
            return info.m_nPort;
    return 0;
}

// Receivers and cables made for GNSS, by "vendor:" (any product of the vendor) or
// "vendor:product". Generic USB serial cables (FTDI, the common PL2303, CH34x) are left
// out: they are as often a modem or a board's console, which must not be opened unasked.
constexpr const char* kKnownGnssUsbIds[] = {
    "1546:",      // u-blox: receivers on their own USB port
    "0e8d:3329",  // MediaTek GPS receivers
    "067b:aaa0",  // Prolific bridge of the PS-360 GPS
    "1163:0100",  // Cypress M8 bridges of DeLorme GPS receivers
    "1163:0200",
};

} // namespace

int FindReceiverPort()
{
    return FindFirstPort([](const SSerInfo& info) {
        return strcasecmp(info.m_strDescription.c_str(), kCp210xDescription) == 0;
    });
}

bool IsKnownGnssUsbId(const std::string& strUsbId)
{
    return !strUsbId.empty() && std::any_of(std::begin(kKnownGnssUsbIds), std::end(kKnownGnssUsbIds),
                                            [&](const char* pszId) { return strUsbId.starts_with(pszId); });
}

int FindKnownGnssPort()
{
    return FindFirstPort([](const SSerInfo& info) { return IsKnownGnssUsbId(info.m_strUsbId); });
}

int FindReceiverPortAutomatically()
{
    int nPort = FindReceiverPort();
    return nPort != 0 ? nPort : FindKnownGnssPort();
}

bool FindChosenPort(const std::string& strDevice, SChosenPort& port)
{
    port = SChosenPort{};
    bool bComName = strncasecmp(strDevice.c_str(), "COM", 3) == 0;
    if (bComName)
    {
        std::string strDigits = strDevice.substr(3);
        if (strDigits.empty() || strDigits.size() > 3 ||
            !std::all_of(strDigits.begin(), strDigits.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }))
            return false;
        port.m_nPort = std::stoi(strDigits);
        port.m_strDevicePath = DeviceOfComNumber(port.m_nPort);
    }
    else
    {
        port.m_nPort = ComNumberOfDevice(strDevice);
        port.m_strDevicePath = strDevice;
    }
    if (port.m_strDevicePath.empty())
        return false;
    // A listed port is there; a node the listing does not know (a plain pseudo-terminal)
    // is there when it exists.
    const std::string& strPath = port.m_strDevicePath;
    return FindFirstPort([&](const SSerInfo& info) { return info.m_strDevicePath == strPath; }) != 0 ||
           (!bComName && access(strPath.c_str(), F_OK) == 0);
}
