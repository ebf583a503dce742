#include "platform/net_address.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <netdb.h>
#include <thread>

bool ParsePortNumber(std::string_view text, int& nPort)
{
    int nValue = 0;
    auto [pEnd, error] = std::from_chars(text.data(), text.data() + text.size(), nValue);
    if (error != std::errc() || pEnd != text.data() + text.size() || text.empty() || nValue < 1 || nValue > 65535)
        return false;
    nPort = nValue;
    return true;
}

bool ParseNetAddress(std::string_view text, int nDefaultPort, bool bDevice, SNetAddress& address)
{
    SNetAddress result;
    std::string_view rest;
    if (text.starts_with('['))
    {
        size_t nClose = text.find(']');
        if (nClose == std::string_view::npos)
            return false;
        result.m_strHost = text.substr(1, nClose - 1);
        rest = text.substr(nClose + 1);
        if (!rest.empty() && !rest.starts_with(':'))
            return false;
    }
    else if (std::count(text.begin(), text.end(), ':') > 1 && !(bDevice && text.find(":/") != std::string_view::npos))
    {
        // An IPv6 address written without brackets cannot carry a port.
        result.m_strHost = text;
    }
    else
    {
        size_t nColon = text.find(':');
        result.m_strHost = text.substr(0, nColon);
        if (nColon != std::string_view::npos)
            rest = text.substr(nColon);
    }
    if (result.m_strHost.empty())
        return false;
    result.m_nPort = nDefaultPort;
    if (!rest.empty())
    {
        rest.remove_prefix(1);
        size_t nColon = bDevice ? rest.find(':') : std::string_view::npos;
        std::string_view port = rest.substr(0, nColon);
        if (!port.empty() && !ParsePortNumber(port, result.m_nPort))
            return false;
        if (nColon != std::string_view::npos)
            result.m_strDevice = rest.substr(nColon + 1);
    }
    if (result.m_nPort < 1 || result.m_nPort > 65535)
        return false;
    address = std::move(result);
    return true;
}

std::string FormatHostPort(const std::string& strHost, int nPort)
{
    std::string strPort = std::to_string(nPort);
    if (strHost.find(':') != std::string::npos)
        return "[" + strHost + "]:" + strPort;
    return strHost + ":" + strPort;
}

namespace
{

// A name-service answer that may come after its asker stopped waiting: whoever finishes
// last frees it.
struct SLookup
{
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_bDone = false;
    int m_nResult = EAI_AGAIN;
    addrinfo* m_pList = nullptr;
    ~SLookup()
    {
        if (m_pList)
            freeaddrinfo(m_pList);
    }
};

std::shared_ptr<SLookup> StartLookup(const std::string& strHost, const std::string& strService, const addrinfo& hints)
{
    auto pLookup = std::make_shared<SLookup>();
    std::thread([pLookup, strHost, strService, hints] {
        addrinfo* pList = nullptr;
        int nResult = getaddrinfo(strHost.empty() ? nullptr : strHost.c_str(), strService.c_str(), &hints, &pList);
        std::lock_guard lock(pLookup->m_mutex);
        pLookup->m_nResult = nResult;
        pLookup->m_pList = pList;
        pLookup->m_bDone = true;
        pLookup->m_done.notify_all();
    }).detach();
    return pLookup;
}

} // namespace

COpenWait::COpenWait(int nMilliseconds, const std::atomic<bool>* pbCancel)
    : m_deadline(std::chrono::steady_clock::now() + std::chrono::milliseconds(nMilliseconds))
    , m_pbCancel(pbCancel)
{
}

int COpenWait::NextStep() const
{
    if (Cancelled())
        return 0;
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(m_deadline - std::chrono::steady_clock::now());
    return static_cast<int>(std::clamp<long long>(left.count(), 0, kStepMilliseconds));
}

bool ResolveHost(const std::string& strHost, int nPort, int nSocketType, bool bPassive, const COpenWait& wait,
                 std::vector<SSocketAddress>& addresses, std::string& strError)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = nSocketType;
    hints.ai_flags = AI_NUMERICSERV | (bPassive ? AI_PASSIVE : AI_ADDRCONFIG);
    std::shared_ptr<SLookup> pLookup = StartLookup(strHost, std::to_string(nPort), hints);
    std::unique_lock lock(pLookup->m_mutex);
    for (int nStep = wait.NextStep(); !pLookup->m_bDone && nStep > 0; nStep = wait.NextStep())
        pLookup->m_done.wait_for(lock, std::chrono::milliseconds(nStep), [&] { return pLookup->m_bDone; });
    if (!pLookup->m_bDone)
    {
        strError = "host not found (the name service did not answer)";
        return false;
    }
    if (pLookup->m_nResult != 0)
    {
        bool bNotFound = pLookup->m_nResult == EAI_NONAME || pLookup->m_nResult == EAI_FAIL ||
                         pLookup->m_nResult == EAI_NODATA || pLookup->m_nResult == EAI_ADDRFAMILY;
        strError = bNotFound ? "host not found" : std::string("host not found (") + gai_strerror(pLookup->m_nResult) + ")";
        return false;
    }
    addresses.clear();
    for (addrinfo* p = pLookup->m_pList; p; p = p->ai_next)
    {
        if (p->ai_addrlen > sizeof(sockaddr_storage))
            continue;
        SSocketAddress address;
        std::memcpy(&address.m_address, p->ai_addr, p->ai_addrlen);
        address.m_nLength = p->ai_addrlen;
        address.m_nFamily = p->ai_family;
        addresses.push_back(address);
    }
    if (addresses.empty())
        strError = "host not found";
    return !addresses.empty();
}

std::string SocketErrorWords(int nError)
{
    switch (nError)
    {
    case ECONNREFUSED: return "connection refused";
    case ETIMEDOUT: return "no answer";
    case ENETUNREACH: return "network unreachable";
    case EHOSTUNREACH: return "host unreachable";
    case ECONNRESET:
    case EPIPE: return "connection reset by the server";
    case EADDRINUSE: return "port already in use";
    case EADDRNOTAVAIL: return "address not available on this machine";
    case EACCES:
    case EPERM: return "permission denied";
    default: return std::strerror(nError);
    }
}
