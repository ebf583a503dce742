#include "views/receiver_dialog.h"

#include "platform/c_format.h"
#include "platform/prompt.h"
#include "platform/qt/text_codec.h"
#include "serial/messages.h"

CReceiverDialog::CReceiverDialog(int nTemplateId, IPrompt& prompt, const SComsPacing& pacing, QWidget* pParent)
    : CColourDialogEx(nTemplateId, pParent), m_prompt(prompt), m_link(GetWindowHandle(), prompt), m_pacing(pacing)
{
    m_messageMap.Add(UM_RECEIVE_DATA, [this](WParam wParam, LParam lParam) { OnReceiveData(wParam, lParam); });
}

CReceiverDialog::~CReceiverDialog()
{
    // The comms thread ends before the port, the mutex and the derived window's parts go.
    m_link.Stop();
}

void CReceiverDialog::StartLinkAndSetTitle(const std::string& strName)
{
    if (StartLink() != CReceiverLink::EStart::kStarted)
        EndDialog(kIdCancel);
    const CSerialPort& port = m_link.Port();
    setWindowTitle(ToQString(FormatC("%s - COM Port %02d Baudrate %d", strName.c_str(), port.m_nPort, port.m_nBaudRate)));
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
