#pragma once
// A receiver read through gpsd, the system's GPS daemon, as one of its watchers: after
// connecting it asks for the receiver's sentences (?WATCH={"enable":true,"nmea":true}, for
// one device when one is named) and passes on only them, never gpsd's JSON reports. A gpsd
// that reads no receiver (or not the one named) fails to open, and one that loses its
// receiver while being read counts as gone, so the link's reopening waits for it.

#include "platform/gpsd_reply_filter.h"
#include "platform/tcp_source.h"

#include <functional>
#include <set>
#include <string>

class CGpsdSource : public CTcpSource
{
public:
    // strDevice names one of gpsd's devices; empty takes whatever gpsd reads. pbCancel as
    // for CTcpSource.
    CGpsdSource(std::string strHost, int nPort, std::string strDevice = {},
                const std::atomic<bool>* pbCancel = nullptr);

    bool Open() override;
    long Read(void* pBuffer, size_t nMax) override;
    std::string Describe() const override;

    // The watch request sent after connecting, line feed included.
    std::string WatchRequest() const;

    // The devices the gpsd at strHost:nPort reads, asked with ?DEVICES; within the open
    // wait. Nothing when no gpsd answers there.
    static std::set<std::string> ListDevices(const std::string& strHost, int nPort);

private:
    // Reads gpsd's answer to the watch request, keeping any sentences that come with it.
    bool AwaitWatchAnswer();
    // Reads until answered() holds; false (closed) when gpsd does not answer in time.
    bool AwaitAnswer(const std::function<bool()>& answered);
    // Why gpsd has nothing of ours to pass on, empty when it has.
    std::string MissingDevice() const;

    std::string m_strDevice;
    CGpsdReplyFilter m_filter;
    std::string m_strPending;  // sentences read while opening, handed out by Read first
};
