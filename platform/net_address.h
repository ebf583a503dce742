#pragma once
// Where a network receiver is: a host and a port, and for gpsd optionally one of its
// devices. Written "HOST", "HOST:PORT", "[IPv6]:PORT", "HOST:PORT:DEVICE" (the form gpsd's
// own clients take); a bare IPv6 address without brackets is a host without a port.

#include <atomic>
#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include <sys/socket.h>

struct SNetAddress
{
    std::string m_strHost;
    int m_nPort = 0;
    std::string m_strDevice;  // gpsd only: the device asked for, empty for any
};

// Where gpsd is when nobody says otherwise: this machine, on gpsd's own port.
inline constexpr const char* kGpsdDefaultHost = "localhost";
inline constexpr int kGpsdDefaultPort = 2947;

// Reads text into address. A missing port takes nDefaultPort (0: a port is required). A
// device part is read only when bDevice is set. False for an empty host, a port outside
// 1..65535 or left over text.
bool ParseNetAddress(std::string_view text, int nDefaultPort, bool bDevice, SNetAddress& address);

// A port alone, 1..65535; false for anything else.
bool ParsePortNumber(std::string_view text, int& nPort);

// "host:port", with IPv6 addresses in brackets.
std::string FormatHostPort(const std::string& strHost, int nPort);

// One socket address a host name stands for.
struct SSocketAddress
{
    sockaddr_storage m_address{};
    socklen_t m_nLength = 0;
    int m_nFamily = 0;
};

// How long opening a network source may still wait, and whether its reader has asked it to
// stop. Waits are taken in steps of at most kStepMilliseconds, so a window closing while its
// comms thread connects to a host that does not answer is never held up past one step.
class COpenWait
{
public:
    static constexpr int kStepMilliseconds = 100;

    // pbCancel may be null: then only the time limit ends the wait.
    COpenWait(int nMilliseconds, const std::atomic<bool>* pbCancel);
    // The next step to wait, at most kStepMilliseconds; 0 once the time is up or a stop
    // was asked for.
    int NextStep() const;
    bool Cancelled() const { return m_pbCancel && m_pbCancel->load(); }

private:
    std::chrono::steady_clock::time_point m_deadline;
    const std::atomic<bool>* m_pbCancel;
};

// The addresses of strHost for a socket of nSocketType (SOCK_STREAM, SOCK_DGRAM) on nPort.
// An empty host with bPassive gives the addresses that accept on every interface. A name
// the name service does not answer within the wait counts as not found, so a caller never
// waits longer. False with strError "host not found" (or the service's words) when there is
// no address.
bool ResolveHost(const std::string& strHost, int nPort, int nSocketType, bool bPassive, const COpenWait& wait,
                 std::vector<SSocketAddress>& addresses, std::string& strError);

// A socket error number in the words a user reads: "connection refused", "no answer"...
std::string SocketErrorWords(int nError);
