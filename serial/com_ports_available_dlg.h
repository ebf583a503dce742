#pragma once
// The COM ports window: the serial ports present, sorted, the receiver shown as ZEPHYRANE,
// and a notice whenever a port arrives ("%s now available") or goes ("%s Removed") while
// the window is open; the list is rebuilt after every device event.
#include "platform/hotplug_watcher.h"
#include "serial/port_discovery.h"
#include "views/colour_button.h"
#include "views/colour_dialog_ex.h"
#include "platform/qt/list_box.h"

#include <functional>
#include <memory>
#include <vector>

class IPrompt;
class QSocketNotifier;

class CComPortsAvailableDlg : public CColourDialogEx {
    Q_OBJECT
public:
    // Fills its argument with the present ports; may throw CPortListError.
    using PortLister = std::function<int(std::vector<SSerInfo>&)>;

    explicit CComPortsAvailableDlg(IPrompt& prompt, QWidget* pParent = nullptr,
                                   PortLister listPorts = ListSerialPorts);
    ~CComPortsAvailableDlg() override;

protected:
    void DoDataExchange() override;
    bool OnInitDialog() override;

private:
    void FillPortList();
    // A device event: a notice for each port that came or went, then the list rebuilt; an
    // event that concerns no port only rebuilds the list.
    void OnDeviceEvent();
    void AnnouncePortChange(const SPortChange& change);
    // The ports as listed now; none when they cannot be listed.
    std::vector<SSerInfo> PresentPorts() const;

    IPrompt& m_prompt;
    PortLister m_listPorts;
    CListBox m_list;
    CColourButton m_btnOk;
    std::unique_ptr<CHotplugWatcher> m_pWatcher;
    QSocketNotifier* m_pNotifier = nullptr;
};

// The name under which a port is shown: its friendly name, with the CP210x bridge's name
// at its start replaced by ZEPHYRANE, so the receiver shows as, say, ZEPHYRANE (COM5).
std::string ShownPortName(const SSerInfo& port);
