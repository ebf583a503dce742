#include "platform/socket_source.h"

#include <poll.h>
#include <unistd.h>

CSocketSource::CSocketSource(std::string strHost, int nPort, const std::atomic<bool>* pbCancel)
    : m_strHost(std::move(strHost))
    , m_nPort(nPort)
    , m_pbCancel(pbCancel)
{
}

CSocketSource::~CSocketSource()
{
    CSocketSource::Close();
}

bool CSocketSource::WaitForData(int nMilliseconds) const
{
    if (!IsOpen())
        return false;
    // A closed or broken connection counts as ready, so the next Read reports it.
    pollfd fd{m_nFd, POLLIN, 0};
    return poll(&fd, 1, nMilliseconds) > 0;
}

void CSocketSource::Close()
{
    if (m_nFd >= 0)
        ::close(m_nFd);
    m_nFd = -1;
}
