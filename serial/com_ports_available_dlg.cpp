#include "serial/com_ports_available_dlg.h"

#include "platform/prompt.h"
#include "platform/serial_enumeration.h"
#include "platform/qt/text_codec.h"

#include <QSocketNotifier>
#include <algorithm>
#include <strings.h>

namespace {

const char* const kNoticeCaption = "Zephyrane";
// Between a port's name and its device node in the list; an en dash in Windows-1252.
const char* const kNodeSeparator = " \x96 ";

} // namespace

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

CComPortsAvailableDlg::~CComPortsAvailableDlg() = default;

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

void CComPortsAvailableDlg::FillPortList()
{
    m_list.ResetContent();
    for (const SSerInfo& port : PresentPorts()) {
        std::string strEntry = ShownPortName(port);
        if (!port.m_strDevicePath.empty())
            strEntry += kNodeSeparator + port.m_strDevicePath;
        m_list.AddString(strEntry);
    }
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
