#include "views/receiver_dialog.h"

#include "platform/c_format.h"
#include "platform/prompt.h"
#include "serial/messages.h"

CReceiverDialog::CReceiverDialog(int nTemplateId, IPrompt& prompt, const SComsPacing& pacing, QWidget* pParent)
    : CColourDialogEx(nTemplateId, pParent), m_prompt(prompt), m_link(GetWindowHandle(), prompt), m_pacing(pacing)
{
    m_messageMap.Add(UM_RECEIVE_DATA, [this](WParam wParam, LParam lParam) { OnReceiveData(wParam, lParam); });
    m_messageMap.Add(UM_LINK_STATE, [this](WParam wParam, LParam lParam) { OnLinkState(wParam, lParam); });
}

CReceiverDialog::~CReceiverDialog()
{
    // The comms thread ends before the port, the mutex and the derived window's parts go.
    m_link.Stop();
}

void CReceiverDialog::StartLinkAndSetTitle(const std::string& strName)
{
    m_strName = strName;
    if (StartLink() != CReceiverLink::EStart::kStarted)
        EndDialog(kIdCancel);
    m_linkView.SetTitle(LinkTitle());
}

std::string CReceiverDialog::LinkTitle()
{
    // A network receiver is named by its source: "Satellite Visibility - gpsd localhost:2947".
    if (m_link.ReadsNetwork())
        return FormatC("%s - %s", m_strName.c_str(), m_link.SourceText().c_str());
    // A reopened port may have another number or speed; the link changes them under its mutex.
    std::lock_guard lock(m_link.Mutex());
    const CSerialPort& port = m_link.Port();
    return FormatC("%s - COM Port %02d Baudrate %d", m_strName.c_str(), port.m_nPort, port.m_nBaudRate);
}

LParam CReceiverDialog::OnLinkState(WParam, LParam)
{
    m_linkView.SetTitle(LinkTitle());
    m_linkView.SetNetwork(m_link.ReadsNetwork());
    if (m_linkView.Show(m_link.State(), m_link.SilentSeconds()))
        OnReceiverGone();
    return 0;
}

CReceiverLink::EStart CReceiverDialog::StartLink()
{
    return m_link.Start(m_pacing);
}

LParam CReceiverDialog::OnReceiveData(WParam, LParam lParam)
{
    if (lParam == 0)
        return 0;
    TakeLines();
    return 0;
}

void CReceiverDialog::TakeLines()
{
    SLineBuffer line{};
    while (const size_t nLength = m_link.TakeLine(line))
        OnLine(std::string_view(line.data(), nLength));
}

void CReceiverDialog::AskToClose(const std::string& strQuestion, int nResult)
{
    if (!m_prompt.AskYesNo(strQuestion, "Exit Program"))
        return;
    // The lines the thread received whole before it stopped are still handled, so that the
    // data logger's file ends with the last complete line that arrived.
    m_link.StopReading();
    TakeLines();
    m_link.Stop();
    EndDialog(nResult);
}
