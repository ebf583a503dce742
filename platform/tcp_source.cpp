#include "platform/tcp_source.h"

#include "platform/net_address.h"

#include <cerrno>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace
{

// Waits in steps for fd to be ready for events; false when the wait ran out or was stopped.
bool PollInSteps(int nFd, short nEvents, const COpenWait& wait)
{
    for (int nStep = wait.NextStep(); nStep > 0; nStep = wait.NextStep())
    {
        pollfd fd{nFd, nEvents, 0};
        if (poll(&fd, 1, nStep) > 0)
            return true;
    }
    return false;
}

} // namespace

CTcpSource::CTcpSource(std::string strHost, int nPort, const std::atomic<bool>* pbCancel)
    : CSocketSource(std::move(strHost), nPort, pbCancel)
{
}

std::string CTcpSource::HostPort() const
{
    return FormatHostPort(m_strHost, m_nPort);
}

std::string CTcpSource::Describe() const
{
    return "TCP " + HostPort();
}

bool CTcpSource::ConnectTo(const SSocketAddress& address, const COpenWait& wait)
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
            nError = ETIMEDOUT;
            if (PollInSteps(nFd, POLLOUT, wait))
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
    COpenWait wait(kOpenWaitMilliseconds, CancelFlag());
    std::vector<SSocketAddress> addresses;
    if (!ResolveHost(m_strHost, m_nPort, SOCK_STREAM, false, wait, addresses, m_strError))
        return false;
    for (const SSocketAddress& address : addresses)
    {
        if (ConnectTo(address, wait))
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

bool CTcpSource::Send(const std::string& strText)
{
    COpenWait wait(kOpenWaitMilliseconds, CancelFlag());
    size_t nDone = 0;
    while (IsOpen() && nDone < strText.size())
    {
        ssize_t nSent = send(m_nFd, strText.data() + nDone, strText.size() - nDone, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (nSent > 0)
            nDone += static_cast<size_t>(nSent);
        else if (nSent < 0 && (errno == EAGAIN || errno == EINTR))
        {
            if (!PollInSteps(m_nFd, POLLOUT, wait))
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
