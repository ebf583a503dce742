#include "platform/udp_source.h"

#include "platform/net_address.h"

#include <cerrno>
#include <netinet/in.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

CUdpSource::CUdpSource(std::string strHost, int nPort, const std::atomic<bool>* pbCancel)
    : CSocketSource(std::move(strHost), nPort, pbCancel)
{
}

std::string CUdpSource::Describe() const
{
    if (m_strHost.empty())
        return "UDP port " + std::to_string(m_nPort);
    return "UDP " + FormatHostPort(m_strHost, m_nPort);
}

bool CUdpSource::Bind(int nFamily, const void* pAddress, unsigned nLength)
{
    int nFd = socket(nFamily, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_UDP);
    if (nFd < 0)
    {
        m_strError = SocketErrorWords(errno);
        return false;
    }
    if (nFamily == AF_INET6 && m_strHost.empty())
    {
        // One socket for IPv4 and IPv6 senders alike.
        int nOff = 0;
        setsockopt(nFd, IPPROTO_IPV6, IPV6_V6ONLY, &nOff, sizeof nOff);
    }
    if (bind(nFd, static_cast<const sockaddr*>(pAddress), nLength) != 0)
    {
        m_strError = SocketErrorWords(errno);
        ::close(nFd);
        return false;
    }
    m_nFd = nFd;
    return true;
}

bool CUdpSource::BindEveryInterface()
{
    sockaddr_in6 any6{};
    any6.sin6_family = AF_INET6;
    any6.sin6_addr = in6addr_any;
    any6.sin6_port = htons(static_cast<uint16_t>(m_nPort));
    if (Bind(AF_INET6, &any6, sizeof any6))
        return true;
    // A machine without IPv6.
    sockaddr_in any4{};
    any4.sin_family = AF_INET;
    any4.sin_addr.s_addr = htonl(INADDR_ANY);
    any4.sin_port = htons(static_cast<uint16_t>(m_nPort));
    return Bind(AF_INET, &any4, sizeof any4);
}

bool CUdpSource::Open()
{
    if (IsOpen())
        return true;
    bool bBound = false;
    if (m_strHost.empty())
        bBound = BindEveryInterface();
    else
    {
        std::vector<SSocketAddress> addresses;
        if (!ResolveHost(m_strHost, m_nPort, SOCK_DGRAM, true, COpenWait(kOpenWaitMilliseconds, CancelFlag()), addresses,
                         m_strError))
            return false;
        for (const SSocketAddress& address : addresses)
            if ((bBound = Bind(address.m_nFamily, &address.m_address, address.m_nLength)))
                break;
    }
    if (bBound)
        m_strError.clear();
    return bBound;
}

long CUdpSource::Read(void* pBuffer, size_t nMax)
{
    if (!IsOpen())
        return -1;
    char* pOut = static_cast<char*>(pBuffer);
    size_t nUsed = 0;
    while (nUsed < nMax)
    {
        // The size of the next datagram, so that one is never cut to fill the rest.
        int nNext = 0;
        if (ioctl(m_nFd, FIONREAD, &nNext) != 0)
            break;
        if (nUsed > 0 && static_cast<size_t>(nNext) + 2 > nMax - nUsed)
            break;
        ssize_t nRead = recv(m_nFd, pOut + nUsed, nMax - nUsed, MSG_DONTWAIT);
        if (nRead < 0)
            break;
        nUsed += static_cast<size_t>(nRead);
        if (nRead > 0 && pOut[nUsed - 1] != '\n' && nMax - nUsed >= 2)
        {
            pOut[nUsed++] = '\r';
            pOut[nUsed++] = '\n';
        }
    }
    return static_cast<long>(nUsed);
}
