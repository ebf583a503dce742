#pragma once
// One way of reaching a receiver's bytes: a serial device, a TCP client, a UDP listener or a
// gpsd client. The comms thread, the receive ring and the windows see only this interface,
// so where the bytes come from changes nothing downstream. Nothing here ever blocks past
// WaitForData's limit, and nothing is ever written to a receiver.

#include <cstddef>
#include <string>

class IByteSource
{
public:
    virtual ~IByteSource() = default;

    // Opens the device or connects. False when it cannot; LastError then says why in words
    // a user understands ("connection refused", "host not found", "no such device").
    virtual bool Open() = 0;
    virtual bool IsOpen() const = 0;
    // Reads what has arrived, up to nMax bytes, without blocking. Returns the count, 0 when
    // nothing arrived, -1 when the source is gone (device removed, peer closed); after -1
    // the source stays closed until the next Open.
    virtual long Read(void* pBuffer, size_t nMax) = 0;
    // Waits up to nMilliseconds for bytes; true when there are some to read.
    virtual bool WaitForData(int nMilliseconds) const = 0;
    virtual void Close() = 0;

    // What the source is, for window titles and messages: "COM03 at 4800 baud",
    // "gpsd localhost:2947", "TCP 127.0.0.1:10110", "UDP port 10110".
    virtual std::string Describe() const = 0;
    // Why the last Open or Read failed, empty when nothing failed.
    virtual std::string LastError() const = 0;
};
