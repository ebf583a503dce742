#include "platform/window_messages.h"

#include <chrono>
#include <unordered_map>

MessageId RegisterWindowMessage(const std::string& strRegistration)
{
    static std::mutex s_mutex;
    static std::unordered_map<std::string, MessageId> s_numbers;
    constexpr MessageId kFirstRegistered = 0xC000;

    std::lock_guard lock(s_mutex);
    auto [it, bInserted] = s_numbers.try_emplace(strRegistration, 0);
    if (bInserted)
        it->second = kFirstRegistered + static_cast<MessageId>(s_numbers.size() - 1);
    return it->second;
}

bool CMessageQueue::Post(MessageId nMessage, WParam wParam, LParam lParam)
{
    {
        std::lock_guard lock(m_mutex);
        m_queue.push_back({nMessage, wParam, lParam});
    }
    m_arrived.notify_one();
    return true;
}

std::optional<SPostedMessage> CMessageQueue::TryTake()
{
    return WaitTake(0);
}

std::optional<SPostedMessage> CMessageQueue::WaitTake(int nMilliseconds)
{
    std::unique_lock lock(m_mutex);
    if (!m_arrived.wait_for(lock, std::chrono::milliseconds(nMilliseconds), [this] { return !m_queue.empty(); }))
        return std::nullopt;
    SPostedMessage message = m_queue.front();
    m_queue.pop_front();
    return message;
}

size_t CMessageQueue::Size() const
{
    std::lock_guard lock(m_mutex);
    return m_queue.size();
}
