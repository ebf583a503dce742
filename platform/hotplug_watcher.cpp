#include "platform/hotplug_watcher.h"

#include "platform/com_numbers.h"
#include "platform/virtual_ports.h"

#include <algorithm>

#include <libudev.h>
#include <sys/epoll.h>
#include <sys/inotify.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace
{

// A descriptor that becomes readable when the process ends; -1 when it cannot be had.
// (Debian 12's C library declares pidfd_open without C linkage, hence the system call.)
int OpenProcessDescriptor(int nPid)
{
    return static_cast<int>(syscall(SYS_pidfd_open, nPid, 0));
}

void AddToEpoll(int nEpoll, int nFd)
{
    epoll_event event{};
    event.events = EPOLLIN;
    event.data.fd = nFd;
    epoll_ctl(nEpoll, EPOLL_CTL_ADD, nFd, &event);
}

} // namespace

CHotplugWatcher::CHotplugWatcher()
    : m_folderEvents(4096)
{
    m_pUdev = udev_new();
    if (m_pUdev)
        m_pMonitor = udev_monitor_new_from_netlink(m_pUdev, "udev");
    if (m_pMonitor && (udev_monitor_filter_add_match_subsystem_devtype(m_pMonitor, "tty", nullptr) < 0 ||
                       udev_monitor_enable_receiving(m_pMonitor) < 0))
    {
        udev_monitor_unref(m_pMonitor);
        m_pMonitor = nullptr;
    }

    CreateVirtualPortsFolder();
    m_nInotify = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_nInotify >= 0 &&
        inotify_add_watch(m_nInotify, VirtualPortsFolder().c_str(), IN_CREATE | IN_MOVED_TO | IN_DELETE | IN_MOVED_FROM) < 0)
    {
        close(m_nInotify);
        m_nInotify = -1;
    }

    if (!m_pMonitor && m_nInotify < 0)
        return;
    m_nEpoll = epoll_create1(EPOLL_CLOEXEC);
    if (m_nEpoll < 0)
        return;
    if (m_pMonitor)
        AddToEpoll(m_nEpoll, udev_monitor_get_fd(m_pMonitor));
    if (m_nInotify >= 0)
        AddToEpoll(m_nEpoll, m_nInotify);
    // After the folder watch has begun, so that a port registered meanwhile is either known
    // here or reported as an arrival.
    for (const SVirtualPort& port : ListVirtualPorts())
        KnowVirtualPort(port.m_nPort, port.m_nOwner);
}

CHotplugWatcher::~CHotplugWatcher()
{
    for (const auto& [nPort, nProcessFd] : m_knownVirtualPorts)
        if (nProcessFd >= 0)
            close(nProcessFd);
    if (m_nEpoll >= 0)
        close(m_nEpoll);
    if (m_nInotify >= 0)
        close(m_nInotify);
    if (m_pMonitor)
        udev_monitor_unref(m_pMonitor);
    if (m_pUdev)
        udev_unref(m_pUdev);
}

std::vector<SPortChange> CHotplugWatcher::TakeChanges()
{
    std::vector<SPortChange> changes;
    if (m_nEpoll < 0)
        return changes;
    // Reading every ready source empties the epoll descriptor's readiness as well.
    epoll_event events[8];
    int nReady;
    while ((nReady = epoll_wait(m_nEpoll, events, 8, 0)) > 0)
    {
        // Ended programs first: the folder's news may close their descriptors, whose
        // numbers a new registration could then take.
        for (int n = 0; n < nReady; ++n)
            TakeEndedOwners(events[n].data.fd, changes);
        TakeUdevChanges(changes);
        TakeFolderChanges(changes);
    }
    return changes;
}

void CHotplugWatcher::KnowVirtualPort(int nPort, int nOwner)
{
    if (m_knownVirtualPorts.count(nPort))
        return;
    int nProcessFd = nOwner > 0 ? OpenProcessDescriptor(nOwner) : -1;
    if (nProcessFd >= 0)
        AddToEpoll(m_nEpoll, nProcessFd);
    m_knownVirtualPorts[nPort] = nProcessFd;
}

void CHotplugWatcher::ForgetVirtualPort(int nPort, std::vector<SPortChange>& changes)
{
    const auto known = m_knownVirtualPorts.find(nPort);
    if (known == m_knownVirtualPorts.end())
        return;
    if (known->second >= 0)
        close(known->second);  // also takes it out of the epoll set
    m_knownVirtualPorts.erase(known);
    changes.push_back({false, ComName(nPort), std::string()});
}

void CHotplugWatcher::TakeEndedOwners(int nProcessFd, std::vector<SPortChange>& changes)
{
    // The registering program has ended: its registration is stale even while its file
    // stays, and the port is gone as if it had been unplugged.
    const auto ended = std::find_if(m_knownVirtualPorts.begin(), m_knownVirtualPorts.end(),
                                    [&](const auto& known) { return known.second == nProcessFd; });
    if (ended != m_knownVirtualPorts.end())
        ForgetVirtualPort(ended->first, changes);
}

void CHotplugWatcher::TakeUdevChanges(std::vector<SPortChange>& changes)
{
    if (!m_pMonitor)
        return;
    while (udev_device* pDevice = udev_monitor_receive_device(m_pMonitor))
    {
        const char* pszAction = udev_device_get_action(pDevice);
        const char* pszNode = udev_device_get_devnode(pDevice);
        int nPort = pszNode ? ComNumberOfDevice(pszNode) : 0;
        if (nPort != 0 && pszAction)
        {
            std::string strAction = pszAction;
            if (strAction == "add" || strAction == "remove")
                changes.push_back({strAction == "add", ComName(nPort), pszNode});
        }
        udev_device_unref(pDevice);
    }
}

void CHotplugWatcher::TakeFolderChanges(std::vector<SPortChange>& changes)
{
    if (m_nInotify < 0)
        return;
    ssize_t nRead;
    while ((nRead = read(m_nInotify, m_folderEvents.data(), m_folderEvents.size())) > 0)
    {
        for (ssize_t nAt = 0; nAt < nRead;)
        {
            const auto* pEvent = reinterpret_cast<const inotify_event*>(m_folderEvents.data() + nAt);
            nAt += static_cast<ssize_t>(sizeof(inotify_event) + pEvent->len);
            int nPort = pEvent->len ? VirtualPortOfFileName(pEvent->name) : 0;
            if (nPort == 0)
                continue;
            if ((pEvent->mask & (IN_CREATE | IN_MOVED_TO)) == 0)
            {
                // A slot re-used after a stale registration was never a listed port.
                ForgetVirtualPort(nPort, changes);
                continue;
            }
            // The listing's trust check: a folder others may write to offers no ports.
            if (!VirtualPortsFolderIsTrusted())
                continue;
            std::optional<SVirtualPort> port = FindVirtualPort(nPort);
            KnowVirtualPort(nPort, port ? port->m_nOwner : 0);
            changes.push_back({true, ComName(nPort), port ? port->m_strDevicePath : std::string()});
        }
    }
}
