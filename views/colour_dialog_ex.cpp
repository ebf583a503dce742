#include "views/colour_dialog_ex.h"

#include "platform/qt/text_codec.h"

CColourDialogEx::CColourDialogEx(int nTemplateId, QWidget* pParent)
    : CModalDialog(pParent), CTemplateWindow(*this, nTemplateId)
{
    const SDlgTemplate& dlg = Template();
    setWindowTitle(ToQString(dlg.strCaption));
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (dlg.nStyle & kDlgSysMenu)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (dlg.nStyle & kDlgMinimizeBox)
        flags |= Qt::WindowMinimizeButtonHint;
    setWindowFlags(flags);
    if (dlg.nStyle & kDlgSizingBorder)
        resize(TemplateClientSize(dlg));
    else
        setFixedSize(TemplateClientSize(dlg));
}

bool CColourDialogEx::OnInitDialog()
{
    CreateControls();
    return true;
}

void CColourDialogEx::OnCommand(int nId)
{
    if (nId == kIdOk)
        OnOK();
    else if (nId == kIdCancel)
        OnCancel();
}
