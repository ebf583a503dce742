#include "platform/qt/qt_window_messages.h"

#include <QCoreApplication>
#include <QObject>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace {

const MessageId kHandled = RegisterWindowMessage("UM_TEST_HANDLED-{0F7C6E52-6B1E-4C34-9D0B-1D1A4B7E2C01}");
const MessageId kIgnored = RegisterWindowMessage("UM_TEST_IGNORED-{0F7C6E52-6B1E-4C34-9D0B-1D1A4B7E2C02}");

// A window that handles one message and records what it got.
class CReceiver : public QObject {
public:
    CReceiver()
    {
        m_map.Add(kHandled, [this](WParam wParam, LParam lParam) { m_received.emplace_back(wParam, lParam); });
    }

    bool event(QEvent* pEvent) override
    {
        if (pEvent->type() == CWindowMessageEvent::EventType())
            ++m_nMessageEvents;
        return m_map.Dispatch(*pEvent) || QObject::event(pEvent);
    }

    CMessageMap m_map;
    std::vector<std::pair<WParam, LParam>> m_received;
    int m_nMessageEvents = 0;
};

} // namespace

TEST(QtWindowMessages, PostsFromOtherThreadsArriveInOrderOnTheWindowsThread)
{
    CReceiver receiver;
    CQtWindowHandle handle(receiver);
    // The posters finish while this thread does not look at its queue: posting never waits.
    std::vector<std::thread> posters;
    for (WParam nThread = 0; nThread < 3; ++nThread)
        posters.emplace_back([&handle, nThread] {
            for (LParam n = 0; n < 200; ++n) {
                EXPECT_TRUE(handle.Post(kHandled, nThread, n));
                EXPECT_TRUE(handle.Post(kIgnored, nThread, n));
            }
        });
    for (std::thread& poster : posters)
        poster.join();
    EXPECT_TRUE(receiver.m_received.empty());

    QCoreApplication::sendPostedEvents(&receiver);
    EXPECT_EQ(receiver.m_nMessageEvents, 1200);
    ASSERT_EQ(receiver.m_received.size(), 600u);
    std::vector<LParam> next(3, 0);
    for (const auto& [wParam, lParam] : receiver.m_received) {
        ASSERT_LT(wParam, 3u);
        EXPECT_EQ(lParam, next[wParam]++);
    }
}

TEST(QtWindowMessages, ADetachedHandleRefusesPosts)
{
    CReceiver receiver;
    CQtWindowHandle handle(receiver);
    handle.Detach();
    EXPECT_FALSE(handle.Post(kHandled, 1, 2));
    QCoreApplication::sendPostedEvents(&receiver);
    EXPECT_EQ(receiver.m_nMessageEvents, 0);
}

TEST(QtWindowMessages, OtherEventsAreNotTakenForMessages)
{
    CMessageMap map;
    QEvent event(QEvent::User);
    EXPECT_FALSE(map.Dispatch(event));
    CWindowMessageEvent message(kIgnored, 0, 0);
    EXPECT_TRUE(map.Dispatch(message));
}
