#pragma once
// What a receiver read from a socket keeps whatever the protocol: the address it was given,
// the stop flag that cuts its waits short, the socket while open and the reason of the last
// failure. Subclasses open the socket and read from it.

#include "platform/byte_source.h"

#include <atomic>
#include <string>

class CSocketSource : public IByteSource
{
public:
    // How long Open waits in all for the name service (and a server), in milliseconds.
    static constexpr int kOpenWaitMilliseconds = 3000;

    ~CSocketSource() override;
    CSocketSource(const CSocketSource&) = delete;
    CSocketSource& operator=(const CSocketSource&) = delete;

    bool IsOpen() const override { return m_nFd >= 0; }
    bool WaitForData(int nMilliseconds) const override;
    void Close() override;
    std::string LastError() const override { return m_strError; }

protected:
    CSocketSource(std::string strHost, int nPort, const std::atomic<bool>* pbCancel);
    const std::atomic<bool>* CancelFlag() const { return m_pbCancel; }

    std::string m_strHost;
    int m_nPort;
    int m_nFd = -1;
    std::string m_strError;

private:
    const std::atomic<bool>* m_pbCancel;
};
