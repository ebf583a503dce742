#include "platform/clock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace
{
TEST(ClockTest, CalendarArithmeticCarriesAcrossDaysMonthsAndLeapDays)
{
    const SClockTime leapDay{2024, 2, 29, 23, 59, 59, 999};
    EXPECT_EQ(FromEpochMilliseconds(ToEpochMilliseconds(leapDay)), leapDay);
    EXPECT_EQ(FromEpochMilliseconds(ToEpochMilliseconds(leapDay) + 1), (SClockTime{2024, 3, 1, 0, 0, 0, 0}));
    EXPECT_EQ(FromEpochMilliseconds(ToEpochMilliseconds(SClockTime{2023, 2, 28, 23, 59, 59, 999}) + 1),
              (SClockTime{2023, 3, 1, 0, 0, 0, 0}));
    EXPECT_EQ(ToEpochMilliseconds(SClockTime{1970, 1, 1, 0, 0, 0, 0}), 0);
    EXPECT_EQ(FromEpochMilliseconds(-1), (SClockTime{1969, 12, 31, 23, 59, 59, 999}));
    EXPECT_EQ(ToEpochMilliseconds(SClockTime{2000, 1, 2, 0, 0, 0, 0}), 946771200000); // date -d 2000-01-02Z +%s
}

TEST(ClockTest, SettableClockStandsStillStepsAndAdvances)
{
    CSettableClock clock(SClockTime{2026, 12, 31, 23, 59, 59, 500}, 0, 60);
    EXPECT_EQ(clock.LocalNow(), clock.LocalNow());
    EXPECT_EQ(clock.UtcNow(), (SClockTime{2026, 12, 31, 22, 59, 59, 500}));
    clock.Advance(600);
    EXPECT_EQ(clock.LocalNow(), (SClockTime{2027, 1, 1, 0, 0, 0, 100}));

    clock.SetStep(100);
    EXPECT_EQ(clock.LocalNow().m_nMillisecond, 100);
    EXPECT_EQ(clock.LocalNow().m_nMillisecond, 200);
    EXPECT_EQ(clock.UtcNow().m_nMillisecond, 300); // UTC readings do not step
    EXPECT_EQ(clock.UtcNow().m_nMillisecond, 300);

    clock.Set(SClockTime{2026, 12, 8, 10, 39, 2, 123});
    EXPECT_EQ(clock.LocalNow(), (SClockTime{2026, 12, 8, 10, 39, 2, 123}));
}

TEST(ClockTest, ScopedClockReplacesAndRestoresTheProcessClock)
{
    const SClockTime fixed{2026, 12, 8, 10, 39, 0, 0};
    {
        CScopedClock scoped(std::make_shared<CSettableClock>(fixed));
        EXPECT_EQ(LocalNow(), fixed);
    }
    EXPECT_GE(LocalNow().m_nYear, 2024); // the system clock again
    const SClockTime utc = UtcNow();
    EXPECT_GE(utc.m_nMonth, 1);
    EXPECT_LE(utc.m_nMonth, 12);
}

TEST(ClockTest, ReadingsAndReplacementsFromManyThreads)
{
    auto shared = std::make_shared<CSettableClock>(SClockTime{2026, 1, 1, 0, 0, 0, 0}, 1);
    std::atomic<bool> stop{false};
    std::vector<std::thread> readers;
    for (int i = 0; i < 3; ++i)
        readers.emplace_back([&] {
            while (!stop)
            {
                EXPECT_GE(LocalNow().m_nYear, 2026);
                shared->Advance(5);
            }
        });
    for (int i = 0; i < 200; ++i)
    {
        InstallClock(i % 2 == 0 ? shared : nullptr);
        std::this_thread::yield();
    }
    stop = true;
    for (std::thread& reader : readers)
        reader.join();
    InstallClock(nullptr);
}
} // namespace
