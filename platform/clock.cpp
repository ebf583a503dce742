#include "platform/clock.h"

#include <chrono>
#include <ctime>
#include <utility>

namespace
{
SClockTime FromTm(const std::tm& tm, long nanoseconds)
{
    SClockTime time;
    time.m_nYear = tm.tm_year + 1900;
    time.m_nMonth = tm.tm_mon + 1;
    time.m_nDay = tm.tm_mday;
    time.m_nHour = tm.tm_hour;
    time.m_nMinute = tm.tm_min;
    // A leap second shows as the last second of its minute.
    time.m_nSecond = tm.tm_sec > 59 ? 59 : tm.tm_sec;
    time.m_nMillisecond = static_cast<int>(nanoseconds / 1000000);
    return time;
}

SClockTime ReadSystemClock(bool local)
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::tm tm{};
    if (local)
        localtime_r(&now.tv_sec, &tm);
    else
        gmtime_r(&now.tv_sec, &tm);
    return FromTm(tm, now.tv_nsec);
}

constexpr std::int64_t kMsPerDay = 86400000;

// The process-wide clock; readers copy the pointer under the lock and read the clock
// outside it, so a slow clock never blocks an installation.
std::mutex g_clockMutex;
std::shared_ptr<IClock> g_pClock;

std::shared_ptr<IClock> CurrentClock()
{
    std::lock_guard lock(g_clockMutex);
    if (!g_pClock)
        g_pClock = std::make_shared<CSystemClock>();
    return g_pClock;
}
} // namespace

SClockTime CSystemClock::LocalNow()
{
    return ReadSystemClock(true);
}

SClockTime CSystemClock::UtcNow()
{
    return ReadSystemClock(false);
}

std::int64_t ToEpochMilliseconds(const SClockTime& time)
{
    using namespace std::chrono;
    // Months and days out of range are carried into the neighbouring months, as the
    // calendar arithmetic of std::chrono does for sys_days.
    const year_month_day firstOfMonth{year{time.m_nYear} / month{1} / day{1}};
    const sys_days days = sys_days{firstOfMonth + months{time.m_nMonth - 1}} + std::chrono::days{time.m_nDay - 1};
    return static_cast<std::int64_t>(days.time_since_epoch().count()) * kMsPerDay +
           ((static_cast<std::int64_t>(time.m_nHour) * 60 + time.m_nMinute) * 60 + time.m_nSecond) * 1000 +
           time.m_nMillisecond;
}

SClockTime FromEpochMilliseconds(std::int64_t milliseconds)
{
    using namespace std::chrono;
    std::int64_t dayCount = milliseconds / kMsPerDay;
    std::int64_t msOfDay = milliseconds % kMsPerDay;
    if (msOfDay < 0)
    {
        msOfDay += kMsPerDay;
        --dayCount;
    }
    const year_month_day date{sys_days{std::chrono::days{dayCount}}};
    SClockTime time;
    time.m_nYear = static_cast<int>(date.year());
    time.m_nMonth = static_cast<int>(static_cast<unsigned>(date.month()));
    time.m_nDay = static_cast<int>(static_cast<unsigned>(date.day()));
    time.m_nHour = static_cast<int>(msOfDay / 3600000);
    time.m_nMinute = static_cast<int>(msOfDay / 60000 % 60);
    time.m_nSecond = static_cast<int>(msOfDay / 1000 % 60);
    time.m_nMillisecond = static_cast<int>(msOfDay % 1000);
    return time;
}

CSettableClock::CSettableClock(const SClockTime& start, std::int64_t stepMilliseconds, int utcOffsetMinutes)
    : m_nNowMs(ToEpochMilliseconds(start)), m_nStepMs(stepMilliseconds),
      m_nUtcOffsetMs(static_cast<std::int64_t>(utcOffsetMinutes) * 60000)
{
}

SClockTime CSettableClock::LocalNow()
{
    std::lock_guard lock(m_mutex);
    const std::int64_t now = m_nNowMs;
    m_nNowMs += m_nStepMs;
    return FromEpochMilliseconds(now);
}

SClockTime CSettableClock::UtcNow()
{
    std::lock_guard lock(m_mutex);
    return FromEpochMilliseconds(m_nNowMs - m_nUtcOffsetMs);
}

void CSettableClock::Set(const SClockTime& now)
{
    std::lock_guard lock(m_mutex);
    m_nNowMs = ToEpochMilliseconds(now);
}

void CSettableClock::Advance(std::int64_t milliseconds)
{
    std::lock_guard lock(m_mutex);
    m_nNowMs += milliseconds;
}

void CSettableClock::SetStep(std::int64_t stepMilliseconds)
{
    std::lock_guard lock(m_mutex);
    m_nStepMs = stepMilliseconds;
}

SClockTime LocalNow()
{
    return CurrentClock()->LocalNow();
}

SClockTime UtcNow()
{
    return CurrentClock()->UtcNow();
}

void InstallClock(std::shared_ptr<IClock> clock)
{
    std::lock_guard lock(g_clockMutex);
    g_pClock = std::move(clock);
}

CScopedClock::CScopedClock(std::shared_ptr<IClock> clock) : m_pPrevious(CurrentClock())
{
    InstallClock(std::move(clock));
}

CScopedClock::~CScopedClock()
{
    InstallClock(std::move(m_pPrevious));
}
