#include "serial/network_receiver_dlg.h"

#include "platform/prompt.h"
#include "platform/qt/text_codec.h"
#include "serial/network_receiver.h"

#include <algorithm>
#include <iterator>

namespace {

struct SKindEntry {
    EReceiverSource eSource;
    const char* pszName;
};
constexpr SKindEntry kKinds[] = {
    {EReceiverSource::kGpsd, "gpsd"},
    {EReceiverSource::kTcp, "TCP"},
    {EReceiverSource::kUdp, "UDP"},
};

const char* const kCaption = "Zephyrane";

} // namespace

CNetworkReceiverDlg::CNetworkReceiverDlg(IPrompt& prompt, const SReceiverChoice& current, QWidget* pParent)
    : CColourDialogEx(kIddNetworkReceiver, pParent), m_prompt(prompt), m_choice(current)
{
}

void CNetworkReceiverDlg::DoDataExchange()
{
    DdxControl(1101, m_kind);
    DdxControl(1102, m_host);
    DdxControl(1103, m_port);
    DdxControl(kIdOk, m_btnOk);
    DdxControl(kIdCancel, m_btnCancel);
}

bool CNetworkReceiverDlg::OnInitDialog()
{
    CColourDialogEx::OnInitDialog();
    for (const SKindEntry& kind : kKinds)
        m_kind.addItem(kind.pszName);
    if (IsNetworkSource(m_choice.m_eSource)) {
        const auto found = std::find_if(std::begin(kKinds), std::end(kKinds),
                                        [&](const SKindEntry& kind) { return kind.eSource == m_choice.m_eSource; });
        m_kind.setCurrentIndex(static_cast<int>(found - std::begin(kKinds)));
        m_host.setText(ToQString(m_choice.m_strHost));
        if (m_choice.m_nPort > 0)
            m_port.setText(QString::number(m_choice.m_nPort));
    }
    m_host.setFocus();
    return true;
}

void CNetworkReceiverDlg::OnOK()
{
    const int nKind = std::clamp(m_kind.currentIndex(), 0, static_cast<int>(std::size(kKinds)) - 1);
    SReceiverChoice choice;
    std::string strError;
    if (!NetworkChoiceFromFields(kKinds[nKind].eSource, FromQString(m_host.text()), FromQString(m_port.text()),
                                 choice, strError)) {
        m_prompt.Message(strError, kCaption);
        return;
    }
    // The device of a gpsd choice made on the command line or in the file is kept when
    // the host and port stay the same.
    if (choice.m_eSource == EReceiverSource::kGpsd && m_choice.m_eSource == EReceiverSource::kGpsd &&
        choice.m_strHost == m_choice.m_strHost && choice.m_nPort == m_choice.m_nPort)
        choice.m_strDevice = m_choice.m_strDevice;
    m_choice = choice;
    EndDialog(kIdOk);
}
