#pragma once
// Arrival and removal of serial ports: a udev monitor on the tty subsystem and a watch on the
// virtual ports folder, behind one file descriptor that becomes readable when changes are
// pending (poll it, or hand it to a socket notifier), and a non-blocking call that collects
// the changes. A virtual port is announced as removed only when the watcher knew it (it was
// listed when watching began, or arrived since), and also when its registering program ends
// without removing its registration (killed, say).

#include <map>
#include <string>
#include <vector>

struct SPortChange
{
    bool m_bArrived = false;     // true: the port arrived; false: it went away
    std::string m_strPortName;   // "COM<n>"
    std::string m_strDevicePath; // device node, as far as known
};

class CHotplugWatcher
{
public:
    CHotplugWatcher();
    ~CHotplugWatcher();
    CHotplugWatcher(const CHotplugWatcher&) = delete;
    CHotplugWatcher& operator=(const CHotplugWatcher&) = delete;

    // False when neither source could be watched; the watcher then reports nothing.
    bool IsWatching() const { return m_nEpoll >= 0; }
    int FileDescriptor() const { return m_nEpoll; }
    // The changes that happened since the last call, oldest first; never blocks.
    std::vector<SPortChange> TakeChanges();

private:
    void TakeUdevChanges(std::vector<SPortChange>& changes);
    void TakeFolderChanges(std::vector<SPortChange>& changes);
    void TakeEndedOwners(int nProcessFd, std::vector<SPortChange>& changes);

    // A virtual port the watcher knows as present, and a descriptor that becomes readable
    // when the program that registered it ends (-1 when that cannot be watched).
    void KnowVirtualPort(int nPort, int nOwner);
    // Reports the removal of a known virtual port and forgets it; unknown ports give nothing.
    void ForgetVirtualPort(int nPort, std::vector<SPortChange>& changes);

    struct udev* m_pUdev = nullptr;
    struct udev_monitor* m_pMonitor = nullptr;
    int m_nInotify = -1;
    int m_nEpoll = -1;
    std::vector<char> m_folderEvents;
    std::map<int, int> m_knownVirtualPorts;  // COM number -> owner's process descriptor
};
