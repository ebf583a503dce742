#pragma once
// A receiver's NMEA text from a TCP server (a multiplexer, a phone app, another machine):
// raw bytes, read without blocking. Connecting waits a bounded time, never longer, and less
// when its reader asks it to stop.

#include "platform/socket_source.h"

class CTcpSource : public CSocketSource
{
public:
    // A set *pbCancel (the comms thread's stop flag) ends a wait of Open early, failed.
    CTcpSource(std::string strHost, int nPort, const std::atomic<bool>* pbCancel = nullptr);

    bool Open() override;
    long Read(void* pBuffer, size_t nMax) override;
    std::string Describe() const override;

protected:
    // Sends all of text within the open wait; false (closed, with the reason) otherwise.
    bool Send(const std::string& strText);
    // Closes the connection and keeps strWords as the reason.
    void Fail(std::string strWords);
    std::string HostPort() const;

private:
    bool ConnectTo(const struct SSocketAddress& address, const class COpenWait& wait);
};
