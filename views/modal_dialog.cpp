#include "views/modal_dialog.h"

#include <utility>


CModalDialog::CModalDialog(QWidget* pParent) : QDialog(pParent) {}

int CModalDialog::DoModal()
{
    // A window whose start-up failed does not flash up empty: only its messages appeared.
    Initialise();
    if (m_nPendingEnd) {
        setResult(*m_nPendingEnd);
        m_nPendingEnd.reset();
        return result();
    }
    return exec();
}

void CModalDialog::EndDialog(int nResult)
{
    if (isVisible()) {
        done(nResult);
        return;
    }
    m_nPendingEnd = nResult;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_nPendingEnd)
                done(*std::exchange(m_nPendingEnd, std::nullopt));
        },
        Qt::QueuedConnection);
}

void CModalDialog::Initialise()
{
    if (!m_bInitialised) {
        m_bInitialised = true;
        OnInitDialog();
    }
}

void CModalDialog::setVisible(bool bVisible)
{
    if (bVisible)
        Initialise();
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
