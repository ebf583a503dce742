#include "serial/com_ports_available_dlg.h"

#include "serial/network_receiver.h"
#include "serial/network_receiver_dlg.h"

#include "platform/c_format.h"
#include "platform/prompt.h"
#include "platform/serial_enumeration.h"
#include "platform/qt/text_codec.h"
#include "platform/qt/popup_menu.h"

#include <QMouseEvent>
#include <QSocketNotifier>
#include <algorithm>
#include <strings.h>

namespace {

const char* const kNoticeCaption = "Zephyrane";
// Between a port's name and its device node in the list; an en dash in Windows-1252.
const char* const kNodeSeparator = " \x96 ";
const char* const kChosenMark = "  [receiver]";
constexpr int kIdChoiceText = 1002;

} // namespace

bool IsChosenPort(const SSerInfo& port, const SReceiverChoice& choice)
{
    if (choice.m_eSource != EReceiverSource::kSerial || choice.m_strDevice.empty())
        return false;
    return (port.m_nPort != 0 && strcasecmp(port.m_strPortName.c_str(), choice.m_strDevice.c_str()) == 0) ||
           port.m_strDevicePath == choice.m_strDevice;
}

std::string ReceiverChoiceText(const SReceiverChoice& choice, const std::vector<SSerInfo>& ports)
{
    switch (choice.m_eSource) {
    case EReceiverSource::kAuto:
        return "Receiver: Automatic";
    case EReceiverSource::kSerial: {
        const bool bPresent = std::any_of(ports.begin(), ports.end(),
                                          [&](const SSerInfo& port) { return IsChosenPort(port, choice); });
        return "Receiver: " + choice.m_strDevice + (bPresent ? "" : " (not present)");
    }
    case EReceiverSource::kTcp:
    case EReceiverSource::kUdp:
    case EReceiverSource::kGpsd:
        break;
    }
    return FormatC("Receiver: %s %s:%d", SourceName(choice.m_eSource), choice.m_strHost.c_str(), choice.m_nPort);
}

std::string ShownPortName(const SSerInfo& port)
{
    const std::string strBridge = kCp210xDescription;
    if (port.m_strFriendlyName.compare(0, strBridge.size(), strBridge) == 0)
        return "ZEPHYRANE" + port.m_strFriendlyName.substr(strBridge.size());
    return port.m_strFriendlyName;
}

CComPortsAvailableDlg::CComPortsAvailableDlg(IPrompt& prompt, QWidget* pParent, PortLister listPorts)
    : CColourDialogEx(kIddComPorts, pParent), m_prompt(prompt), m_listPorts(std::move(listPorts))
{
}

CComPortsAvailableDlg::~CComPortsAvailableDlg()
{
    // The list goes before the dialog's base: no more of its events.
    if (m_pListViewport)
        m_pListViewport->removeEventFilter(this);
}

void CComPortsAvailableDlg::DoDataExchange()
{
    DdxControl(1001, m_list);
    DdxControl(kIdOk, m_btnOk);
}

bool CComPortsAvailableDlg::OnInitDialog()
{
    CColourDialogEx::OnInitDialog();
    // Ports that come and go while the window is open: the watcher's descriptor becomes
    // readable when there is news. Watching begins before the list is filled, so a port
    // that arrives in between is announced rather than lost.
    m_pWatcher = std::make_unique<CHotplugWatcher>();
    if (m_pWatcher->IsWatching()) {
        m_pNotifier = new QSocketNotifier(m_pWatcher->FileDescriptor(), QSocketNotifier::Read, this);
        connect(m_pNotifier, &QSocketNotifier::activated, this, &CComPortsAvailableDlg::OnDeviceEvent);
    }
    m_pListViewport = m_list.viewport();
    m_pListViewport->installEventFilter(this);
    FillPortList();
    return true;
}

std::vector<SSerInfo> CComPortsAvailableDlg::PresentPorts() const
{
    std::vector<SSerInfo> ports;
    try {
        m_listPorts(ports);
    } catch (const CPortListError&) {
        // A device database that cannot be read shows as no ports rather than ending the
        // program from inside a window.
        ports.clear();
    }
    return ports;
}

std::string CComPortsAvailableDlg::EntryText(const SSerInfo& port, const SReceiverChoice& choice) const
{
    std::string strEntry = ShownPortName(port);
    if (!port.m_strDevicePath.empty())
        strEntry += kNodeSeparator + port.m_strDevicePath;
    if (IsChosenPort(port, choice))
        strEntry += kChosenMark;
    return strEntry;
}

void CComPortsAvailableDlg::FillPortList()
{
    const SReceiverChoice choice = SReceiverChoice::Load();
    m_ports = PresentPorts();
    m_list.ResetContent();
    for (const SSerInfo& port : m_ports)
        m_list.AddString(EntryText(port, choice));
    SetDlgItemText(kIdChoiceText, ReceiverChoiceText(choice, m_ports));
}

std::optional<SSerInfo> CComPortsAvailableDlg::PortAt(const QPoint& ptList) const
{
    const int nRow = m_list.row(m_list.itemAt(ptList));
    if (nRow < 0)
        return std::nullopt;
    const std::string strEntry = m_list.GetText(nRow);
    const SReceiverChoice choice = SReceiverChoice::Load();
    const auto found = std::find_if(m_ports.begin(), m_ports.end(),
                                    [&](const SSerInfo& port) { return EntryText(port, choice) == strEntry; });
    if (found == m_ports.end())
        return std::nullopt;
    return *found;
}

bool CComPortsAvailableDlg::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    const bool bPress = pEvent->type() == QEvent::MouseButtonPress;
    if (pWatched == m_pListViewport && (bPress || pEvent->type() == QEvent::MouseButtonDblClick)) {
        const auto* pMouse = static_cast<const QMouseEvent*>(pEvent);
        if (bPress && pMouse->button() == Qt::RightButton) {
            ShowReceiverMenu(pMouse->position().toPoint());
            return true;
        }
        if (!bPress && pMouse->button() == Qt::LeftButton) {
            if (const std::optional<SSerInfo> port = PortAt(pMouse->position().toPoint()))
                UseAsReceiver(*port);
            return true;
        }
    }
    return CColourDialogEx::eventFilter(pWatched, pEvent);
}

void CComPortsAvailableDlg::ShowReceiverMenu(const QPoint& ptList)
{
    // A copy: the list may be rebuilt while the menu is open.
    const std::optional<SSerInfo> port = PortAt(ptList);
    const SReceiverChoice choice = SReceiverChoice::Load();
    CPopupMenu menu(this);
    menu.AppendItem(kCmdUseAsReceiver, "Use as receiver", port && IsChosenPort(*port, choice))
        ->setEnabled(port.has_value());
    menu.AppendItem(kCmdAutomatic, "Automatic", choice.m_eSource == EReceiverSource::kAuto);
    menu.AppendItem(kCmdNetworkReceiver, "Network receiver...", IsNetworkSource(choice.m_eSource));
    switch (menu.TrackPopupMenu(m_pListViewport->mapToGlobal(ptList))) {
    case kCmdUseAsReceiver:
        UseAsReceiver(*port);
        break;
    case kCmdAutomatic: {
        // The network settings stay for a later choice; the port and its speed go.
        SReceiverChoice automatic = choice;
        automatic.m_eSource = EReceiverSource::kAuto;
        automatic.m_strDevice.clear();
        automatic.m_nBaud = 0;
        SaveChoice(automatic);
        break;
    }
    case kCmdNetworkReceiver:
        ChooseNetworkReceiver(choice);
        break;
    default:
        break;
    }
}

void CComPortsAvailableDlg::UseAsReceiver(const SSerInfo& port)
{
    SReceiverChoice choice = SReceiverChoice::Load();
    // A port keeps its speed when it is chosen again; another is probed.
    if (!IsChosenPort(port, choice))
        choice.m_nBaud = 0;
    choice.m_eSource = EReceiverSource::kSerial;
    // The COM name stays with a port between runs where a pseudo-terminal's node does not.
    choice.m_strDevice = port.m_nPort != 0 ? port.m_strPortName : port.m_strDevicePath;
    SaveChoice(choice);
}

void CComPortsAvailableDlg::ChooseNetworkReceiver(const SReceiverChoice& current)
{
    CNetworkReceiverDlg dlg(m_prompt, current, this);
    if (dlg.DoModal() == kIdOk)
        SaveChoice(dlg.Choice());
}

void CComPortsAvailableDlg::SaveChoice(const SReceiverChoice& choice)
{
    choice.Save();
    FillPortList();
}

void CComPortsAvailableDlg::OnDeviceEvent()
{
    // The notices wait for their answers; news that comes meanwhile is taken up afterwards,
    // one notice after the other.
    m_pNotifier->setEnabled(false);
    const std::vector<SPortChange> changes = m_pWatcher->TakeChanges();
    for (const SPortChange& change : changes) {
        AnnouncePortChange(change);
        FillPortList();
    }
    if (changes.empty())
        FillPortList();
    m_pNotifier->setEnabled(true);
}

void CComPortsAvailableDlg::AnnouncePortChange(const SPortChange& change)
{
    if (!change.m_bArrived) {
        m_prompt.Message(change.m_strPortName + " Removed", kNoticeCaption);
        return;
    }
    const std::vector<SSerInfo> ports = PresentPorts();
    const auto found = std::find_if(ports.begin(), ports.end(), [&](const SSerInfo& port) {
        return strcasecmp(port.m_strPortName.c_str(), change.m_strPortName.c_str()) == 0;
    });
    const std::string strName = found != ports.end() ? ShownPortName(*found) : change.m_strPortName;
    m_prompt.Message(strName + " now available", kNoticeCaption);
}
