#pragma once
// A dialog run modally in the manner of the program's windows: OnInitDialog runs once,
// just before the dialog first appears; Enter, Escape and the close box become the OK and
// Cancel commands; EndDialog may be called at any time, also during initialisation: a
// dialog ended before it appeared never appears.
// Registered window messages posted to GetWindowHandle() from any thread reach the
// handlers added to m_messageMap; others are ignored.
#include "platform/qt/qt_window_messages.h"
#include "resources/dialog_template.h"

#include <QDialog>
#include <optional>

class CModalDialog : public QDialog {
    Q_OBJECT
public:
    explicit CModalDialog(QWidget* pParent = nullptr);

    // Runs the dialog modally; returns the result EndDialog was given. A dialog ended during
    // its initialisation returns at once without being shown.
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
    // OnInitDialog, once.
    void Initialise();

    bool m_bInitialised = false;
    // The result of an EndDialog called while the dialog was not shown, until it takes effect.
    std::optional<int> m_nPendingEnd;
    CQtWindowHandle m_windowHandle{*this};
};
