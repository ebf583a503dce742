#pragma once
// The wall clock of the system: local time with milliseconds, as the operating system
// reports it. One process-wide clock serves every thread; tests replace it by a fixed or
// stepping clock (CSettableClock) to make time-outs, stamps and dated names predictable.

#include <cstdint>
#include <memory>
#include <mutex>

// A broken-down calendar time: no time zone, no daylight-saving information.
struct SClockTime
{
    int m_nYear = 2000;
    int m_nMonth = 1; // 1..12
    int m_nDay = 1;   // 1..31
    int m_nHour = 0;
    int m_nMinute = 0;
    int m_nSecond = 0;
    int m_nMillisecond = 0;

    friend bool operator==(const SClockTime&, const SClockTime&) = default;
};

class IClock
{
public:
    virtual ~IClock() = default;
    virtual SClockTime LocalNow() = 0;
    virtual SClockTime UtcNow() = 0;
};

// The operating system's clock.
class CSystemClock final : public IClock
{
public:
    SClockTime LocalNow() override;
    SClockTime UtcNow() override;
};

// A clock that stands still until it is set or advanced, or that moves on by a fixed step
// after every reading of the local time. UTC is the local time minus a fixed offset.
// Every operation is safe to call from any thread.
class CSettableClock final : public IClock
{
public:
    explicit CSettableClock(const SClockTime& start, std::int64_t stepMilliseconds = 0,
                            int utcOffsetMinutes = 0);

    // Returns the current time, then advances it by the step.
    SClockTime LocalNow() override;
    // Returns the current time minus the UTC offset; does not advance.
    SClockTime UtcNow() override;

    void Set(const SClockTime& now);
    void Advance(std::int64_t milliseconds);
    void SetStep(std::int64_t stepMilliseconds);

private:
    std::mutex m_mutex;
    std::int64_t m_nNowMs;   // milliseconds since 1970-01-01 00:00:00 of the local calendar
    std::int64_t m_nStepMs;
    std::int64_t m_nUtcOffsetMs;
};

// Readings of the process-wide clock (the system clock unless one was installed).
SClockTime LocalNow();
SClockTime UtcNow();

// Makes `clock` the process-wide clock; null restores the system clock. Thread-safe: a
// reading that is under way finishes on the clock it started with.
void InstallClock(std::shared_ptr<IClock> clock);

// Installs a clock for the lifetime of the object and restores the previous one after it.
class CScopedClock
{
public:
    explicit CScopedClock(std::shared_ptr<IClock> clock);
    ~CScopedClock();
    CScopedClock(const CScopedClock&) = delete;
    CScopedClock& operator=(const CScopedClock&) = delete;

private:
    std::shared_ptr<IClock> m_pPrevious;
};

// Calendar arithmetic shared by the settable clock and its users: a calendar time to and
// from milliseconds since 1970-01-01 00:00:00 (proleptic Gregorian, no time zone).
std::int64_t ToEpochMilliseconds(const SClockTime& time);
SClockTime FromEpochMilliseconds(std::int64_t milliseconds);
