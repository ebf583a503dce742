#pragma once
// The COM ports window: the serial ports present, sorted, the receiver shown as ZEPHYRANE,
// and a notice whenever a port arrives ("%s now available") or goes ("%s Removed") while
// the window is open; the list is rebuilt after every device event.
//
// It is also where the user chooses the receiver the monitor windows read: "Use as
// receiver" on a port's right-click menu, or a double click on the port, chooses that port;
// "Automatic" goes back to the automatic search. The choice is saved at once (Receiver.INI),
// the chosen port's entry is marked "  [receiver]" and the line below the list names the
// choice.
#include "platform/hotplug_watcher.h"
#include "serial/port_discovery.h"
#include "settings/receiver_choice.h"
#include "views/colour_button.h"
#include "views/colour_dialog_ex.h"
#include "platform/qt/list_box.h"

#include <functional>
#include <memory>
#include <optional>
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
    // Right clicks and double clicks on the list's entries.
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    // The commands of the list's menu.
    enum ECommand { kCmdUseAsReceiver = 1, kCmdAutomatic, kCmdNetworkReceiver };

    void FillPortList();
    // Shows the receiver menu for the entry at ptList (a point in the list's viewport).
    void ShowReceiverMenu(const QPoint& ptList);
    void UseAsReceiver(const SSerInfo& port);
    // "Network receiver...": the network receiver dialog, whose choice is kept on OK.
    void ChooseNetworkReceiver(const SReceiverChoice& current);
    void SaveChoice(const SReceiverChoice& choice);
    // The listed port whose entry is at ptList, if any.
    std::optional<SSerInfo> PortAt(const QPoint& ptList) const;
    std::string EntryText(const SSerInfo& port, const SReceiverChoice& choice) const;
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
    // The ports as the list shows them, in listing order.
    std::vector<SSerInfo> m_ports;
    // Where the list's mouse events arrive.
    QWidget* m_pListViewport = nullptr;
    std::unique_ptr<CHotplugWatcher> m_pWatcher;
    QSocketNotifier* m_pNotifier = nullptr;
};

// The name under which a port is shown: its friendly name, with the CP210x bridge's name
// at its start replaced by ZEPHYRANE, so the receiver shows as, say, ZEPHYRANE (COM5).
std::string ShownPortName(const SSerInfo& port);

// Whether the choice names this port, by its COM name or its device node.
bool IsChosenPort(const SSerInfo& port, const SReceiverChoice& choice);
// The line that names the choice: "Receiver: Automatic", "Receiver: COM65", "Receiver: COM7
// (not present)" or, for a network source, "Receiver: gpsd localhost:2947".
std::string ReceiverChoiceText(const SReceiverChoice& choice, const std::vector<SSerInfo>& ports);
