#pragma once
// Registered window messages and the window handle they are posted to.
//
// A message is identified by a registration string; the process-wide registry turns each
// string into a number, the same string always into the same number, from any thread. A
// window that receives a message it does not handle ignores it.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>

using MessageId = unsigned int;
using WParam = std::uintptr_t;
using LParam = std::intptr_t;

// Returns the number of the message with this registration string, registering it on first
// use. Numbers start at 0xC000, above every fixed message number. Thread-safe.
MessageId RegisterWindowMessage(const std::string& strRegistration);

// The receiving side of posted messages: a window's queue. Post never blocks the poster
// (it must not wait for the window's thread) and returns false if the message could not be
// queued, for example because the window is being destroyed.
class IWindowHandle
{
public:
    virtual ~IWindowHandle() = default;
    virtual bool Post(MessageId nMessage, WParam wParam, LParam lParam) = 0;
};

struct SPostedMessage
{
    MessageId m_nMessage = 0;
    WParam m_wParam = 0;
    LParam m_lParam = 0;
};

// A window handle that is nothing but a queue: the headless receiver mode drains it from its
// main thread, and tests inspect what a thread posted.
class CMessageQueue : public IWindowHandle
{
public:
    bool Post(MessageId nMessage, WParam wParam, LParam lParam) override;

    // The oldest message, or nothing when the queue is empty.
    std::optional<SPostedMessage> TryTake();
    // The oldest message, waiting up to nMilliseconds for one to arrive.
    std::optional<SPostedMessage> WaitTake(int nMilliseconds);
    size_t Size() const;

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::deque<SPostedMessage> m_queue;
};
