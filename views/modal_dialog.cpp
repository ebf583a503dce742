#include "views/modal_dialog.h"


CModalDialog::CModalDialog(QWidget* pParent) : QDialog(pParent) {}

int CModalDialog::DoModal()
{
    return exec();
}

void CModalDialog::EndDialog(int nResult)
{
    if (isVisible())
        done(nResult);
    else
        QMetaObject::invokeMethod(this, [this, nResult] { done(nResult); }, Qt::QueuedConnection);
}

void CModalDialog::setVisible(bool bVisible)
{
    if (bVisible && !m_bInitialised) {
        m_bInitialised = true;
        OnInitDialog();
    }
    QDialog::setVisible(bVisible);
}

void CModalDialog::accept()
{
    OnCommand(kIdOk);
}

void CModalDialog::reject()
{
    OnCommand(kIdCancel);
}

bool CModalDialog::event(QEvent* pEvent)
{
    return m_messageMap.Dispatch(*pEvent) || QDialog::event(pEvent);
}
