#pragma once
// A receiver on a pseudo-terminal, registered as a virtual port with the CP210x bridge's
// description so the program's search finds it. While talking it sends one line every
// 20 ms; it never blocks (while nobody reads the port it waits and tries again) and it
// remembers every byte that it got out.

#include "platform/virtual_ports.h"
#include "tests/support/pty_pair.h"

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <functional>
#include <mutex>
#include <poll.h>
#include <string>
#include <string_view>
#include <thread>
#include <unistd.h>

class CPtyReceiver
{
public:
    // The n-th line sent while talking.
    using LineMaker = std::function<std::string(int)>;

    explicit CPtyReceiver(const std::string& strLocation = "USB")
        : m_registration(m_pty.SlavePath(), "Silicon Labs CP210x USB to UART Bridge", strLocation)
    {
        if (m_pty.IsOpen())
            ::fcntl(m_pty.Master(), F_SETFL, ::fcntl(m_pty.Master(), F_GETFL) | O_NONBLOCK);
    }
    ~CPtyReceiver() { StopTalking(); }
    CPtyReceiver(const CPtyReceiver&) = delete;
    CPtyReceiver& operator=(const CPtyReceiver&) = delete;

    bool Ready() const { return m_pty.IsOpen() && m_registration.Port() != 0; }
    int Port() const { return m_registration.Port(); }

    void StartTalking(LineMaker makeLine)
    {
        StopTalking();
        m_bStop = false;
        m_talker = std::thread(
            [this, makeLine = std::move(makeLine)]
            {
                for (int n = 0; !m_bStop; ++n)
                {
                    Send(makeLine(n));
                    std::this_thread::sleep_for(std::chrono::milliseconds(20));
                }
            });
    }
    void StartTalking(const std::string& strLine)
    {
        StartTalking([strLine](int) { return strLine; });
    }
    void StopTalking()
    {
        m_bStop = true;
        if (m_talker.joinable())
            m_talker.join();
    }

    // Sends text now. Outside talking (or once it is to stop) the rest is dropped when the
    // line has no room for 50 ms.
    void Send(std::string_view rest)
    {
        while (!rest.empty() && m_pty.Master() >= 0)
        {
            pollfd room{m_pty.Master(), POLLOUT, 0};
            if (::poll(&room, 1, 50) <= 0)
            {
                if (m_bStop)
                    return;
                continue;
            }
            const ssize_t n = ::write(m_pty.Master(), rest.data(), rest.size());
            if (n <= 0)
                continue;
            std::lock_guard lock(m_mutex);
            m_strSent.append(rest.substr(0, static_cast<size_t>(n)));
            rest.remove_prefix(static_cast<size_t>(n));
        }
    }

    std::string Sent()
    {
        std::lock_guard lock(m_mutex);
        return m_strSent;
    }

    // Stands for a receiver that is unplugged; call only while not talking.
    void Unplug() { m_pty.CloseMaster(); }

private:
    CPtyPair m_pty;
    CVirtualPortRegistration m_registration;
    std::mutex m_mutex;
    std::string m_strSent;
    std::atomic<bool> m_bStop{true};
    std::thread m_talker;
};
