#pragma once
// "Network receiver...": the kind (gpsd, TCP, UDP), host and port of a receiver reached over
// the network. OK checks the fields and ends the dialog with the choice; the window that
// opened it keeps the choice. A field that names no receiver is said and OK waits.
#include "settings/receiver_choice.h"
#include "views/colour_button.h"
#include "views/colour_dialog_ex.h"

#include <QComboBox>
#include <QLineEdit>

class IPrompt;

class CNetworkReceiverDlg : public CColourDialogEx {
    Q_OBJECT
public:
    // current fills the fields when it is a network receiver.
    CNetworkReceiverDlg(IPrompt& prompt, const SReceiverChoice& current, QWidget* pParent = nullptr);

    // The receiver chosen with OK.
    const SReceiverChoice& Choice() const { return m_choice; }

protected:
    void DoDataExchange() override;
    bool OnInitDialog() override;
    void OnOK() override;

private:
    IPrompt& m_prompt;
    SReceiverChoice m_choice;
    QComboBox m_kind;
    QLineEdit m_host;
    QLineEdit m_port;
    CColourButton m_btnOk;
    CColourButton m_btnCancel;
};
