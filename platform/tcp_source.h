#pragma once
// A receiver's NMEA text from a TCP server (a multiplexer, a phone app, another machine):
// raw bytes, read without blocking. Connecting waits a bounded time, never longer, and less
// when its reader asks it to stop.

#include "platform/byte_source.h"

#include <atomic>
#include <string>

class CTcpSource : public IByteSource
{
public:
    // How long Open waits in all for the name service and the server, in milliseconds.
    static constexpr int kOpenWaitMilliseconds = 3000;

    // A set *pbCancel (the comms thread's stop flag) ends a wait of Open early, failed.
    CTcpSource(std::string strHost, int nPort, const std::atomic<bool>* pbCancel = nullptr);
    ~CTcpSource() override;
    CTcpSource(const CTcpSource&) = delete;
    CTcpSource& operator=(const CTcpSource&) = delete;

    bool Open() override;
    bool IsOpen() const override { return m_nFd >= 0; }
    long Read(void* pBuffer, size_t nMax) override;
    bool WaitForData(int nMilliseconds) const override;
    void Close() override;
    std::string Describe() const override;
    std::string LastError() const override { return m_strError; }

protected:
    // Sends all of text within the open wait; false (closed, with the reason) otherwise.
    bool Send(const std::string& strText);
    // Closes the connection and keeps strWords as the reason.
    void Fail(std::string strWords);
    std::string HostPort() const;
    void SetError(std::string strWords) { m_strError = std::move(strWords); }
    const std::atomic<bool>* CancelFlag() const { return m_pbCancel; }

private:
    bool ConnectTo(const struct SSocketAddress& address, const class COpenWait& wait);

    std::string m_strHost;
    int m_nPort;
    const std::atomic<bool>* m_pbCancel;
    int m_nFd = -1;
    std::string m_strError;
};
