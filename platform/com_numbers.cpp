#include "platform/com_numbers.h"

#include "platform/virtual_ports.h"

#include <cctype>

namespace
{

struct SFamily
{
    const char* m_pszPrefix;
    int m_nFirst;
};

constexpr SFamily kFamilies[] = {{"/dev/ttyUSB", 1}, {"/dev/ttyACM", 65}, {"/dev/ttyS", 129}};
constexpr int kFamilySize = 64;

} // namespace

int ComNumberOfDevice(const std::string& strDeviceNode)
{
    for (const SFamily& family : kFamilies)
    {
        std::string strPrefix = family.m_pszPrefix;
        if (strDeviceNode.compare(0, strPrefix.size(), strPrefix) != 0)
            continue;
        std::string strIndex = strDeviceNode.substr(strPrefix.size());
        if (strIndex.empty() || strIndex.size() > 2)
            return 0;
        for (char c : strIndex)
            if (!std::isdigit(static_cast<unsigned char>(c)))
                return 0;
        int nIndex = std::stoi(strIndex);
        return nIndex < kFamilySize ? family.m_nFirst + nIndex : 0;
    }
    return 0;
}

std::string DeviceOfComNumber(int nPort)
{
    if (nPort >= kFirstVirtualPort && nPort <= kLastPort)
    {
        std::optional<SVirtualPort> port = FindVirtualPort(nPort);
        return port ? port->m_strDevicePath : std::string();
    }
    for (const SFamily& family : kFamilies)
        if (nPort >= family.m_nFirst && nPort < family.m_nFirst + kFamilySize)
            return family.m_pszPrefix + std::to_string(nPort - family.m_nFirst);
    return {};
}

std::string ComName(int nPort)
{
    return "COM" + std::to_string(nPort);
}
