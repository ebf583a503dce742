#include "platform/qt/qt_window_messages.h"

#include <QCoreApplication>

CWindowMessageEvent::CWindowMessageEvent(MessageId nMessage, WParam wParam, LParam lParam)
    : QEvent(EventType()), m_nMessage(nMessage), m_wParam(wParam), m_lParam(lParam)
{
}

QEvent::Type CWindowMessageEvent::EventType()
{
    static const auto kType = static_cast<QEvent::Type>(QEvent::registerEventType());
    return kType;
}

CQtWindowHandle::CQtWindowHandle(QObject& target) : m_pTarget(&target) {}

CQtWindowHandle::~CQtWindowHandle()
{
    Detach();
}

bool CQtWindowHandle::Post(MessageId nMessage, WParam wParam, LParam lParam)
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_pTarget)
        return false;
    QCoreApplication::postEvent(m_pTarget, new CWindowMessageEvent(nMessage, wParam, lParam));
    return true;
}

void CQtWindowHandle::Detach()
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_pTarget = nullptr;
}

void CMessageMap::Add(MessageId nMessage, Handler handler)
{
    m_handlers[nMessage] = std::move(handler);
}

bool CMessageMap::Dispatch(QEvent& event) const
{
    if (event.type() != CWindowMessageEvent::EventType())
        return false;
    const auto& message = static_cast<const CWindowMessageEvent&>(event);
    const auto found = m_handlers.find(message.Message());
    if (found != m_handlers.end())
        found->second(message.GetWParam(), message.GetLParam());
    return true;
}
