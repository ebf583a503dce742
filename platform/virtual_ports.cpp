#include "platform/virtual_ports.h"

#include "platform/com_numbers.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

std::string FileOfPort(int nPort)
{
    return VirtualPortsFolder() + ComName(nPort);
}

bool Exists(const std::string& strPath)
{
    struct stat st;
    return !strPath.empty() && stat(strPath.c_str(), &st) == 0;
}

// A folder of this user's own that nobody else may write to, and not a link. Under /tmp
// above all, another user could otherwise make the folder first and plant registrations
// that name any device node as a receiver for the program to open.
bool IsOwnPrivateFolder(const std::string& strPath)
{
    struct stat st;
    return lstat(strPath.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == getuid() &&
           (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

// The registration of one slot, whether or not its device and its owner still exist.
std::optional<SVirtualPort> ReadRegistration(int nPort)
{
    if (!VirtualPortsFolderIsTrusted())
        return std::nullopt;
    std::ifstream file(FileOfPort(nPort));
    SVirtualPort registration;
    registration.m_nPort = nPort;
    if (!std::getline(file, registration.m_strDevicePath))
        return std::nullopt;
    std::getline(file, registration.m_strDescription);
    std::getline(file, registration.m_strLocation);
    std::string strOwner;
    if (std::getline(file, strOwner))
        registration.m_nOwner = static_cast<int>(std::atol(strOwner.c_str()));
    return registration;
}

// A registration left behind by a program that was killed is stale once its process has
// gone, even if another program's terminal has since taken the same device node: such a
// node must never be opened as a serial port.
bool IsLive(const SVirtualPort& registration)
{
    if (!Exists(registration.m_strDevicePath))
        return false;
    return registration.m_nOwner <= 0 || kill(registration.m_nOwner, 0) == 0 || errno == EPERM;
}

} // namespace

bool VirtualPortsFolderIsTrusted()
{
    std::string strPorts = VirtualPortsFolder();
    strPorts.pop_back();
    return IsOwnPrivateFolder(strPorts) && IsOwnPrivateFolder(strPorts.substr(0, strPorts.rfind('/')));
}

std::string VirtualPortsFolder()
{
    const char* pszRuntime = std::getenv("XDG_RUNTIME_DIR");
    if (pszRuntime && *pszRuntime)
        return std::string(pszRuntime) + "/zephyrane/ports/";
    return "/tmp/zephyrane-" + std::to_string(getuid()) + "/ports/";
}

void CreateVirtualPortsFolder()
{
    std::string strFolder = VirtualPortsFolder();
    for (size_t n = strFolder.find('/', 1); n != std::string::npos; n = strFolder.find('/', n + 1))
        mkdir(strFolder.substr(0, n).c_str(), 0700);
}

int VirtualPortOfFileName(const std::string& strFileName)
{
    for (int nPort = kFirstVirtualPort; nPort <= kLastPort; ++nPort)
        if (strFileName == ComName(nPort))
            return nPort;
    return 0;
}

std::optional<SVirtualPort> FindVirtualPort(int nPort)
{
    std::optional<SVirtualPort> registration = ReadRegistration(nPort);
    if (!registration || !IsLive(*registration))
        return std::nullopt;
    return registration;
}

std::vector<SVirtualPort> ListVirtualPorts()
{
    std::vector<SVirtualPort> ports;
    for (int nPort = kFirstVirtualPort; nPort <= kLastPort; ++nPort)
        if (std::optional<SVirtualPort> port = FindVirtualPort(nPort))
            ports.push_back(*port);
    return ports;
}

CVirtualPortRegistration::CVirtualPortRegistration(const std::string& strDevicePath,
                                                   const std::string& strDescription,
                                                   const std::string& strLocation)
{
    CreateVirtualPortsFolder();
    if (!VirtualPortsFolderIsTrusted())
        return;
    std::string strFolder = VirtualPortsFolder();
    // Written under a hidden name first, then linked to its slot's name: the link either
    // claims a free slot atomically or fails because another program holds it.
    std::string strTemp = strFolder + ".new-" + std::to_string(getpid());
    {
        std::ofstream file(strTemp, std::ios::trunc);
        file << strDevicePath << '\n' << strDescription << '\n' << strLocation << '\n' << getpid() << '\n';
        if (!file.flush())
        {
            unlink(strTemp.c_str());
            return;
        }
    }
    for (int nPort = kFirstVirtualPort; nPort <= kLastPort && m_nPort == 0; ++nPort)
    {
        std::string strFile = FileOfPort(nPort);
        std::optional<SVirtualPort> stale = ReadRegistration(nPort);
        if (stale && !IsLive(*stale))
            unlink(strFile.c_str());
        if (link(strTemp.c_str(), strFile.c_str()) == 0)
        {
            m_nPort = nPort;
            m_strFile = strFile;
        }
    }
    unlink(strTemp.c_str());
}

CVirtualPortRegistration::~CVirtualPortRegistration()
{
    Remove();
}

void CVirtualPortRegistration::Remove()
{
    if (!m_strFile.empty())
        unlink(m_strFile.c_str());
    m_strFile.clear();
    m_nPort = 0;
}
