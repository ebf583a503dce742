#pragma once
// A themed dialog that owns a receiver link of its own. Opening starts the link (the
// receiver search, the probes at 4800 and 9600 baud, the comms thread); when the receiver
// or its data cannot be found the user has been told and the dialog ends as soon as it
// exists. Every received line goes to OnLine. The link's state shows after the title, and
// the values are dimmed while they are stale. Closing asks first; the comms thread is
// stopped and waited for before the port, the mutex and the dialog go away, on every path.
#include "serial/receiver_link.h"
#include "views/colour_dialog_ex.h"
#include "views/link_state_view.h"

#include <string>
#include <string_view>

class IPrompt;

class CReceiverDialog : public CColourDialogEx
{
    Q_OBJECT
public:
    CReceiverDialog(int nTemplateId, IPrompt& prompt, const SComsPacing& pacing, QWidget* pParent);
    ~CReceiverDialog() override;

    // UM_RECEIVE_DATA: hands every complete line in the port's ring to OnLine.
    LParam OnReceiveData(WParam wParam, LParam lParam);
    // UM_LINK_STATE: shows the link's state; OnReceiverGone when the receiver went away.
    LParam OnLinkState(WParam wParam, LParam lParam);

protected:
    // Starts the link, ending the dialog with the Cancel result when that fails, and titles
    // the dialog "<strName> - COM Port <nn> Baudrate <rate>" with the port found (0 when
    // none) and the port's baud rate.
    void StartLinkAndSetTitle(const std::string& strName);
    // The link's start-up; a test replaces it.
    virtual CReceiverLink::EStart StartLink();
    virtual void OnLine(std::string_view line) = 0;
    // The receiver has gone away; the link reads it again when it is back.
    virtual void OnReceiverGone() {}

    // Asks strQuestion under "Exit Program" with Yes and No; on Yes stops the link and ends
    // the dialog with nResult.
    void AskToClose(const std::string& strQuestion, int nResult);

    IPrompt& m_prompt;
    CLinkStateView m_linkView{*this};

private:
    // "<name> - COM Port <nn> Baudrate <rate>" with the port and speed the link reads.
    std::string LinkTitle();

    // Hands every complete line in the port's ring to OnLine.
    void TakeLines();

    CReceiverLink m_link;
    SComsPacing m_pacing;
    std::string m_strName;
};
