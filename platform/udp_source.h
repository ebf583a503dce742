#pragma once
// A receiver's NMEA text sent as UDP datagrams to a port of this machine (multiplexers and
// phone apps broadcast it so). Each datagram is passed on whole; one that does not end a
// line gets a CR LF, so that sentences of separate datagrams never run together.

#include "platform/socket_source.h"

class CUdpSource : public CSocketSource
{
public:
    // strHost is the local address to listen on; empty listens on every interface.
    // A set *pbCancel ends the name lookup of Open early, failed.
    CUdpSource(std::string strHost, int nPort, const std::atomic<bool>* pbCancel = nullptr);

    bool Open() override;
    // Whole datagrams only, as many as fit in nMax; a datagram larger than nMax is cut.
    // Never -1 while open: nobody can close a listener's connection.
    long Read(void* pBuffer, size_t nMax) override;
    std::string Describe() const override;

private:
    bool Bind(int nFamily, const void* pAddress, unsigned nLength);
    bool BindEveryInterface();
};
