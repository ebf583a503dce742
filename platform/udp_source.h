#pragma once
// A receiver's NMEA text sent as UDP datagrams to a port of this machine (multiplexers and
// phone apps broadcast it so). Each datagram is passed on whole; one that does not end a
// line gets a CR LF, so that sentences of separate datagrams never run together.

#include "platform/byte_source.h"

#include <atomic>
#include <string>

class CUdpSource : public IByteSource
{
public:
    // strHost is the local address to listen on; empty listens on every interface.
    // A set *pbCancel ends the name lookup of Open early, failed.
    CUdpSource(std::string strHost, int nPort, const std::atomic<bool>* pbCancel = nullptr);
    ~CUdpSource() override;
    CUdpSource(const CUdpSource&) = delete;
    CUdpSource& operator=(const CUdpSource&) = delete;

    bool Open() override;
    bool IsOpen() const override { return m_nFd >= 0; }
    // Whole datagrams only, as many as fit in nMax; a datagram larger than nMax is cut.
    // Never -1 while open: nobody can close a listener's connection.
    long Read(void* pBuffer, size_t nMax) override;
    bool WaitForData(int nMilliseconds) const override;
    void Close() override;
    std::string Describe() const override;
    std::string LastError() const override { return m_strError; }

private:
    bool Bind(int nFamily, const void* pAddress, unsigned nLength);
    bool BindEveryInterface();

    std::string m_strHost;
    int m_nPort;
    const std::atomic<bool>* m_pbCancel;
    int m_nFd = -1;
    std::string m_strError;
};
