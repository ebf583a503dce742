#pragma once
// A dialog run modally in the manner of the program's windows: OnInitDialog runs once,
// just before the dialog first appears; Enter, Escape and the close box become the OK and
// Cancel commands; EndDialog may be called at any time, also during initialisation.
#include "resources/dialog_template.h"

#include <QDialog>

class CModalDialog : public QDialog {
    Q_OBJECT
public:
    explicit CModalDialog(QWidget* pParent = nullptr);

    // Runs the dialog modally; returns the result EndDialog was given.
    int DoModal();
    // Ends the dialog with nResult. Called before the dialog is visible (from OnInitDialog,
    // say), the dialog ends as soon as it exists.
    void EndDialog(int nResult);

    void setVisible(bool bVisible) override;
    void accept() override;
    void reject() override;

protected:
    virtual bool OnInitDialog() { return true; }
    virtual void OnCommand(int nId) = 0;

private:
    bool m_bInitialised = false;
};
