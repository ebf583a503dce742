#pragma once
// The themed dialog: dark grey background, white static texts, its controls built from
// its template just before it first appears.
#include "views/modal_dialog.h"
#include "platform/qt/template_window.h"

class CColourDialogEx : public CModalDialog, public CTemplateWindow {
    Q_OBJECT
public:
    explicit CColourDialogEx(int nTemplateId, QWidget* pParent = nullptr);

protected:
    // Derived dialogs run this first in their own OnInitDialog.
    bool OnInitDialog() override;
    // OK and Cancel end the dialog with their own identifiers as results.
    virtual void OnOK() { EndDialog(kIdOk); }
    virtual void OnCancel() { EndDialog(kIdCancel); }
    void OnCommand(int nId) override;
};
