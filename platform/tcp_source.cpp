#include "platform/tcp_source.h"

#include "platform/net_address.h"

#include <cerrno>
#include <chrono>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace
{

using Clock = std::chrono::steady_clock;

int MillisecondsLeft(Clock::time_point deadline)
{
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

} // namespace

CTcpSource::CTcpSource(std::string strHost, int nPort)
    : m_strHost(std::move(strHost))
    , m_nPort(nPort)
{
}

CTcpSource::~CTcpSource()
{
    Close();
}

std::string CTcpSource::HostPort() const
{
    return FormatHostPort(m_strHost, m_nPort);
}

std::string CTcpSource::Describe() const
{
    return "TCP " + HostPort();
}

bool CTcpSource::ConnectTo(const SSocketAddress& address, int nWaitMilliseconds)
{
    int nFd = socket(address.m_nFamily, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_TCP);
    if (nFd < 0)
    {
        m_strError = SocketErrorWords(errno);
        return false;
    }
    int nError = 0;
    if (connect(nFd, reinterpret_cast<const sockaddr*>(&address.m_address), address.m_nLength) != 0)
    {
        nError = errno;
        if (nError == EINPROGRESS)
        {
            pollfd fd{nFd, POLLOUT, 0};
            nError = ETIMEDOUT;
            if (poll(&fd, 1, nWaitMilliseconds) > 0)
            {
                socklen_t nLength = sizeof nError;
                getsockopt(nFd, SOL_SOCKET, SO_ERROR, &nError, &nLength);
            }
        }
    }
    if (nError != 0)
    {
        ::close(nFd);
        m_strError = SocketErrorWords(nError);
        return false;
    }
    // A receiver's stream is small and steady; a dead peer should be noticed eventually.
    int nOn = 1;
    setsockopt(nFd, SOL_SOCKET, SO_KEEPALIVE, &nOn, sizeof nOn);
    m_nFd = nFd;
    return true;
}

bool CTcpSource::Open()
{
    if (IsOpen())
        return true;
    auto deadline = Clock::now() + std::chrono::milliseconds(kOpenWaitMilliseconds);
    std::vector<SSocketAddress> addresses;
    if (!ResolveHost(m_strHost, m_nPort, SOCK_STREAM, false, kOpenWaitMilliseconds, addresses, m_strError))
        return false;
    for (const SSocketAddress& address : addresses)
    {
        if (ConnectTo(address, MillisecondsLeft(deadline)))
        {
            m_strError.clear();
            return true;
        }
    }
    return false;
}

long CTcpSource::Read(void* pBuffer, size_t nMax)
{
    if (!IsOpen())
        return -1;
    ssize_t nRead = recv(m_nFd, pBuffer, nMax, MSG_DONTWAIT);
    if (nRead > 0)
        return nRead;
    if (nRead == 0)
    {
        Fail("the server closed the connection");
        return -1;
    }
    if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)
        return 0;
    Fail(SocketErrorWords(errno));
    return -1;
}

bool CTcpSource::WaitForData(int nMilliseconds) const
{
    if (!IsOpen())
        return false;
    // A closed or broken connection counts as ready, so the next Read reports it.
    pollfd fd{m_nFd, POLLIN, 0};
    return poll(&fd, 1, nMilliseconds) > 0;
}

bool CTcpSource::Send(const std::string& strText)
{
    auto deadline = Clock::now() + std::chrono::milliseconds(kOpenWaitMilliseconds);
    size_t nDone = 0;
    while (IsOpen() && nDone < strText.size())
    {
        ssize_t nSent = send(m_nFd, strText.data() + nDone, strText.size() - nDone, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (nSent > 0)
            nDone += static_cast<size_t>(nSent);
        else if (nSent < 0 && (errno == EAGAIN || errno == EINTR))
        {
            pollfd fd{m_nFd, POLLOUT, 0};
            if (poll(&fd, 1, MillisecondsLeft(deadline)) <= 0)
                Fail("no answer");
        }
        else
            Fail(SocketErrorWords(errno));
    }
    return IsOpen();
}

void CTcpSource::Fail(std::string strWords)
{
    Close();
    m_strError = std::move(strWords);
}

void CTcpSource::Close()
{
    if (m_nFd >= 0)
        ::close(m_nFd);
    m_nFd = -1;
}
