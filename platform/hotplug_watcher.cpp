#include "platform/hotplug_watcher.h"

#include "platform/com_numbers.h"
#include "platform/virtual_ports.h"

#include <libudev.h>
#include <sys/epoll.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace
{

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
}

CHotplugWatcher::~CHotplugWatcher()
{
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
    // Reading both sources empties the epoll descriptor's readiness as well.
    epoll_event events[4];
    while (epoll_wait(m_nEpoll, events, 4, 0) > 0)
    {
        TakeUdevChanges(changes);
        TakeFolderChanges(changes);
    }
    return changes;
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
            bool bArrived = (pEvent->mask & (IN_CREATE | IN_MOVED_TO)) != 0;
            std::optional<SVirtualPort> port = bArrived ? FindVirtualPort(nPort) : std::nullopt;
            changes.push_back({bArrived, ComName(nPort), port ? port->m_strDevicePath : std::string()});
        }
    }
}
