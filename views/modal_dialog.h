#pragma once
// A dialog run modally in the manner of the program's windows: OnInitDialog runs once,
// just before the dialog first appears; Enter, Escape and the close box become the OK and
// Cancel commands; EndDialog may be called at any time, also during initialisation.
// Registered window messages posted to GetWindowHandle() from any thread reach the
// handlers added to m_messageMap; others are ignored.
#include "platform/qt/qt_window_messages.h"
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

    // Where threads post this window's messages.
    IWindowHandle& GetWindowHandle() { return m_windowHandle; }

    void setVisible(bool bVisible) override;
    void accept() override;
    void reject() override;

protected:
    virtual bool OnInitDialog() { return true; }
    virtual void OnCommand(int nId) = 0;
    bool event(QEvent* pEvent) override;

    CMessageMap m_messageMap;

private:
    bool m_bInitialised = false;
    CQtWindowHandle m_windowHandle{*this};
};
