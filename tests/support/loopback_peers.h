#pragma once
// The other end of a network receiver, for tests: a TCP server and a UDP sender of the
// test's own, and gpsd from Debian's package fed by gpsfake. Everything listens on and
// talks to the loopback addresses only (127.0.0.1, ::1), on ports the system hands out.

#include "tests/support/temp_dir.h"
#include "tests/tools/zephyrane-sim/child_process.h"

#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <memory>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace loopback
{

inline sockaddr_storage Address(const std::string& strHost, int nPort, socklen_t& nLength)
{
    sockaddr_storage storage{};
    if (strHost == "::1")
    {
        auto* p6 = reinterpret_cast<sockaddr_in6*>(&storage);
        p6->sin6_family = AF_INET6;
        p6->sin6_addr = in6addr_loopback;
        p6->sin6_port = htons(static_cast<uint16_t>(nPort));
        nLength = sizeof(sockaddr_in6);
    }
    else
    {
        auto* p4 = reinterpret_cast<sockaddr_in*>(&storage);
        p4->sin_family = AF_INET;
        p4->sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        p4->sin_port = htons(static_cast<uint16_t>(nPort));
        nLength = sizeof(sockaddr_in);
    }
    return storage;
}

// The port a socket bound to port 0 was given.
inline int BoundPort(int nFd)
{
    sockaddr_storage storage{};
    socklen_t nLength = sizeof storage;
    getsockname(nFd, reinterpret_cast<sockaddr*>(&storage), &nLength);
    if (storage.ss_family == AF_INET6)
        return ntohs(reinterpret_cast<sockaddr_in6*>(&storage)->sin6_port);
    return ntohs(reinterpret_cast<sockaddr_in*>(&storage)->sin_port);
}

// A loopback port nobody listens on at the moment of asking (for TCP or UDP).
inline int FreePort(int nType = SOCK_STREAM)
{
    int nFd = socket(AF_INET, nType | SOCK_CLOEXEC, 0);
    socklen_t nLength = 0;
    sockaddr_storage address = Address("127.0.0.1", 0, nLength);
    bind(nFd, reinterpret_cast<sockaddr*>(&address), nLength);
    int nPort = BoundPort(nFd);
    close(nFd);
    return nPort;
}

// True once something accepts TCP connections on 127.0.0.1:nPort (waits up to 15 s).
inline bool WaitForListener(int nPort)
{
    for (int nTry = 0; nTry < 300; ++nTry)
    {
        int nFd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        socklen_t nLength = 0;
        sockaddr_storage address = Address("127.0.0.1", nPort, nLength);
        bool bConnected = connect(nFd, reinterpret_cast<sockaddr*>(&address), nLength) == 0;
        close(nFd);
        if (bConnected)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

// Sends strRequest to 127.0.0.1:nPort and returns what comes back within half a second.
inline std::string Ask(int nPort, const std::string& strRequest)
{
    int nFd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    socklen_t nLength = 0;
    sockaddr_storage address = Address("127.0.0.1", nPort, nLength);
    std::string strAnswer;
    if (connect(nFd, reinterpret_cast<sockaddr*>(&address), nLength) == 0 &&
        send(nFd, strRequest.data(), strRequest.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(strRequest.size()))
    {
        pollfd fd{nFd, POLLIN, 0};
        char buffer[1024];
        ssize_t n = 0;
        while (poll(&fd, 1, 500) > 0 && (n = recv(nFd, buffer, sizeof buffer, 0)) > 0)
            strAnswer.append(buffer, static_cast<size_t>(n));
    }
    close(nFd);
    return strAnswer;
}

// The full path of a program on PATH, empty when it is not installed.
inline std::string FindProgram(const std::string& strName)
{
    const char* pszPath = std::getenv("PATH");
    std::string strPath = pszPath ? pszPath : "/usr/bin:/bin";
    for (size_t nStart = 0; nStart <= strPath.size();)
    {
        size_t nEnd = strPath.find(':', nStart);
        if (nEnd == std::string::npos)
            nEnd = strPath.size();
        std::string strCandidate = strPath.substr(nStart, nEnd - nStart) + "/" + strName;
        if (access(strCandidate.c_str(), X_OK) == 0)
            return strCandidate;
        nStart = nEnd + 1;
    }
    return {};
}

} // namespace loopback

// A TCP server on 127.0.0.1 or ::1 that serves one client at a time.
class CLoopbackTcpServer
{
public:
    explicit CLoopbackTcpServer(const std::string& strHost = "127.0.0.1", int nPort = 0)
    {
        socklen_t nLength = 0;
        sockaddr_storage address = loopback::Address(strHost, nPort, nLength);
        m_nListener = socket(address.ss_family, SOCK_STREAM | SOCK_CLOEXEC, 0);
        int nOn = 1;
        setsockopt(m_nListener, SOL_SOCKET, SO_REUSEADDR, &nOn, sizeof nOn);
        if (bind(m_nListener, reinterpret_cast<sockaddr*>(&address), nLength) != 0 || listen(m_nListener, 4) != 0)
        {
            close(m_nListener);
            m_nListener = -1;
        }
        else
            m_nPort = loopback::BoundPort(m_nListener);
    }
    ~CLoopbackTcpServer()
    {
        DropClient();
        if (m_nListener >= 0)
            close(m_nListener);
    }
    CLoopbackTcpServer(const CLoopbackTcpServer&) = delete;
    CLoopbackTcpServer& operator=(const CLoopbackTcpServer&) = delete;

    bool IsListening() const { return m_nListener >= 0; }
    int Port() const { return m_nPort; }

    // Waits up to five seconds for a client; true when one is connected.
    bool Accept()
    {
        pollfd fd{m_nListener, POLLIN, 0};
        if (m_nClient < 0 && poll(&fd, 1, 5000) > 0)
            m_nClient = accept4(m_nListener, nullptr, nullptr, SOCK_CLOEXEC);
        return m_nClient >= 0;
    }

    bool Send(const std::string& strText)
    {
        return m_nClient >= 0 && send(m_nClient, strText.data(), strText.size(), MSG_NOSIGNAL) ==
                                     static_cast<ssize_t>(strText.size());
    }

    // What the client sent within nMilliseconds.
    std::string Received(int nMilliseconds)
    {
        std::string strText;
        pollfd fd{m_nClient, POLLIN, 0};
        char buffer[512];
        while (m_nClient >= 0 && poll(&fd, 1, nMilliseconds) > 0)
        {
            ssize_t n = recv(m_nClient, buffer, sizeof buffer, 0);
            if (n <= 0)
                break;
            strText.append(buffer, static_cast<size_t>(n));
        }
        return strText;
    }

    // Closes the connection as a server that stops would.
    void DropClient()
    {
        if (m_nClient >= 0)
            close(m_nClient);
        m_nClient = -1;
    }

private:
    int m_nListener = -1;
    int m_nClient = -1;
    int m_nPort = 0;
};

// Sends datagrams to a loopback port.
class CLoopbackUdpSender
{
public:
    CLoopbackUdpSender(const std::string& strHost, int nPort)
        : m_address(loopback::Address(strHost, nPort, m_nLength))
    {
        m_nFd = socket(m_address.ss_family, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    }
    ~CLoopbackUdpSender() { close(m_nFd); }
    CLoopbackUdpSender(const CLoopbackUdpSender&) = delete;
    CLoopbackUdpSender& operator=(const CLoopbackUdpSender&) = delete;

    bool Send(const std::string& strDatagram)
    {
        return sendto(m_nFd, strDatagram.data(), strDatagram.size(), 0, reinterpret_cast<sockaddr*>(&m_address),
                      m_nLength) == static_cast<ssize_t>(strDatagram.size());
    }

private:
    socklen_t m_nLength = 0;
    sockaddr_storage m_address;
    int m_nFd = -1;
};

// Sends lines one by one, round and round, every nPauseMs, on a thread of its own, until it
// is stopped or destroyed. send gets one line and says whether it went.
class CLineFeeder
{
public:
    CLineFeeder(std::vector<std::string> lines, int nPauseMs, std::function<bool(const std::string&)> send)
        : m_thread([this, lines = std::move(lines), nPauseMs, send = std::move(send)] {
            for (size_t i = 0; !m_bStop && !lines.empty(); i = (i + 1) % lines.size())
            {
                if (send(lines[i]))
                    ++m_nSent;
                std::this_thread::sleep_for(std::chrono::milliseconds(nPauseMs));
            }
        })
    {
    }
    ~CLineFeeder() { Stop(); }
    CLineFeeder(const CLineFeeder&) = delete;
    CLineFeeder& operator=(const CLineFeeder&) = delete;

    void Stop()
    {
        m_bStop = true;
        if (m_thread.joinable())
            m_thread.join();
    }
    size_t Sent() const { return m_nSent; }

private:
    std::atomic<bool> m_bStop{false};
    std::atomic<size_t> m_nSent{0};
    std::thread m_thread;
};

// gpsd on a loopback port of its own: fed by gpsfake with a recorded log (repeated, one
// sentence every nPauseMs), or with no receiver at all. Stopped when the object goes.
class CTestGpsd
{
public:
    // Both need Debian's gpsd and gpsd-clients; Started() is false when they are missing.
    static CTestGpsd FedBy(const std::string& strLog, double dPauseSeconds = 0.02)
    {
        CTestGpsd gpsd;
        std::string strProgram = loopback::FindProgram("gpsfake");
        if (!strProgram.empty())
            gpsd.Start({strProgram, "-n", "-q", "-c", std::to_string(dPauseSeconds), "-P",
                        std::to_string(gpsd.m_nPort), strLog},
                        true);
        return gpsd;
    }
    // gpsd reading strDevice from the start (without a device: no receiver at all).
    static CTestGpsd Reading(const std::string& strDevice = {})
    {
        CTestGpsd gpsd;
        std::string strProgram = loopback::FindProgram("gpsd");
        if (strProgram.empty())
            strProgram = access("/usr/sbin/gpsd", X_OK) == 0 ? "/usr/sbin/gpsd" : "";
        std::vector<std::string> arguments = {strProgram, "-N", "-n", "-S", std::to_string(gpsd.m_nPort), "-F",
                                              gpsd.m_pFolder->Path() + "/control.sock"};
        if (!strDevice.empty())
            arguments.push_back(strDevice);
        if (!strProgram.empty())
            gpsd.Start(arguments, !strDevice.empty());
        return gpsd;
    }
    static CTestGpsd WithoutReceiver() { return Reading(); }

    CTestGpsd(CTestGpsd&&) = default;
    ~CTestGpsd() { Stop(); }

    bool Started() const { return m_bStarted; }
    int Port() const { return m_nPort; }
    std::string HostPort() const { return "127.0.0.1:" + std::to_string(m_nPort); }

    // Ends gpsfake, which ends its gpsd, or gpsd itself.
    void Stop()
    {
        if (m_pProcess)
            m_pProcess->StopGroup(5000);
        m_pProcess.reset();
        m_bStarted = false;
    }

private:
    CTestGpsd()
        : m_nPort(loopback::FreePort())
        , m_pFolder(std::make_unique<CTempDir>())
    {
    }

    void Start(std::vector<std::string> arguments, bool bWithReceiver)
    {
        m_pProcess = std::make_unique<CChildProcess>(std::move(arguments), true);
        m_bStarted = loopback::WaitForListener(m_nPort) && (!bWithReceiver || WaitForReceiver());
    }

    // gpsfake adds its receiver to gpsd a moment after gpsd starts listening.
    bool WaitForReceiver() const
    {
        for (int nTry = 0; nTry < 100; ++nTry)
        {
            if (loopback::Ask(m_nPort, "?DEVICES;\n").find("\"path\"") != std::string::npos)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return false;
    }

    int m_nPort;
    bool m_bStarted = false;
    std::unique_ptr<CTempDir> m_pFolder;  // gpsd's control socket
    std::unique_ptr<CChildProcess> m_pProcess;
};
