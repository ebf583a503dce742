#pragma once
// Registered window messages on Qt: a posted message travels as a CWindowMessageEvent on
// the target object's event queue (QCoreApplication::postEvent, which never blocks), and a
// window hands such events to its CMessageMap, which calls the handler registered for the
// message. Messages without a handler are ignored.
#include "platform/window_messages.h"

#include <QEvent>
#include <functional>
#include <map>
#include <mutex>

class QObject;

class CWindowMessageEvent : public QEvent {
public:
    CWindowMessageEvent(MessageId nMessage, WParam wParam, LParam lParam);

    // The one event type of posted window messages.
    static QEvent::Type EventType();

    MessageId Message() const { return m_nMessage; }
    WParam GetWParam() const { return m_wParam; }
    LParam GetLParam() const { return m_lParam; }

private:
    MessageId m_nMessage;
    WParam m_wParam;
    LParam m_lParam;
};

// The handle through which any thread posts to one Qt object. Once detached (at the
// latest when the handle is destroyed, which its owner does before the target goes) every
// post fails, so a poster never reaches a destroyed window.
class CQtWindowHandle : public IWindowHandle {
public:
    explicit CQtWindowHandle(QObject& target);
    ~CQtWindowHandle() override;
    CQtWindowHandle(const CQtWindowHandle&) = delete;
    CQtWindowHandle& operator=(const CQtWindowHandle&) = delete;

    bool Post(MessageId nMessage, WParam wParam, LParam lParam) override;
    void Detach();

private:
    std::mutex m_mutex;
    QObject* m_pTarget;
};

// A window's handlers of registered messages, by message number.
class CMessageMap {
public:
    using Handler = std::function<void(WParam, LParam)>;

    void Add(MessageId nMessage, Handler handler);
    // True when event is a posted window message, handled or ignored; false for any
    // other event, which the window handles as usual.
    bool Dispatch(QEvent& event) const;

private:
    std::map<MessageId, Handler> m_handlers;
};
