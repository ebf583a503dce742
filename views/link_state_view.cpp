#include "views/link_state_view.h"

#include "platform/c_format.h"
#include "platform/qt/text_codec.h"

#include <QGraphicsOpacityEffect>

void CLinkStateView::SetTitle(const std::string& strTitle)
{
    m_strTitle = strTitle;
    ShowTitle();
}

void CLinkStateView::AddStaleWidget(QWidget& widget)
{
    m_staleWidgets.push_back(&widget);
}

std::string CLinkStateView::StateText(ELinkState eState, int nSilentSeconds, bool bNetwork)
{
    switch (eState)
    {
    case ELinkState::kSilent:
        return FormatC("No data for %d s", nSilentSeconds);
    case ELinkState::kGone:
        return bNetwork ? "Connection lost: trying again" : "Receiver unplugged: waiting for it";
    case ELinkState::kReopening:
        return "Receiver back: opening it again";
    case ELinkState::kReading:
    case ELinkState::kStopped:
        break;
    }
    return std::string();
}

bool CLinkStateView::Show(ELinkState eState, int nSilentSeconds)
{
    m_strState = StateText(eState, nSilentSeconds, m_bNetwork);
    ShowTitle();
    const bool bGone = eState == ELinkState::kGone || eState == ELinkState::kReopening;
    const bool bJustGone = bGone && !m_bWasGone;
    if (bGone)
        m_bWasGone = true;
    else if (eState == ELinkState::kReading)
        m_bWasGone = false;
    // Stopped: the window is closing or never started; what it shows is left as it is.
    if (eState != ELinkState::kStopped)
        MarkStale(eState != ELinkState::kReading);
    return bJustGone;
}

void CLinkStateView::ShowTitle()
{
    const std::string strTitle = m_strState.empty() ? m_strTitle : m_strTitle + " - " + m_strState;
    m_window.setWindowTitle(ToQString(strTitle));
}

void CLinkStateView::MarkStale(bool bStale)
{
    if (bStale == m_bStale)
        return;
    m_bStale = bStale;
    for (QWidget* pWidget : m_staleWidgets)
    {
        if (bStale)
        {
            auto* pEffect = new QGraphicsOpacityEffect(pWidget);
            pEffect->setOpacity(kStaleOpacity);
            pWidget->setGraphicsEffect(pEffect);
        }
        else
        {
            pWidget->setGraphicsEffect(nullptr);
        }
    }
    m_window.update();
}
