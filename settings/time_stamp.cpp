#include "settings/time_stamp.h"

#include "platform/c_format.h"

#include <cmath>
#include <cstdlib>

namespace
{
constexpr std::int64_t kSecondsPerDay = 86400;
constexpr std::int64_t kSecondsPerCommonYear = 31536000;
constexpr std::int64_t kMillisecondsPerDay = kSecondsPerDay * 1000;
// Leap years before 2000 counted by LeapYearsBefore, plus one: the scale starts on
// 2000-01-02, not on 2000-01-01.
constexpr std::int64_t kLeapYearsOffset = 485;

// Tables are constant; the year picks February's length inside each call, so no
// computation ever sees another thread's year.
constexpr int kCommonMonthDays[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr int kCommonDaysBeforeMonth[13] = {0, 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
const char* const kMonthAbbreviations[13] = {"",    "Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                             "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kMonthNames[13] = {"",     "January", "February", "March",     "April",   "May",     "June",
                                     "July", "August",  "September", "October", "November", "December"};

bool IsLeapYear(std::int64_t year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int MonthLength(int month, std::int64_t year)
{
    return kCommonMonthDays[month] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

int DaysBeforeMonth(int month, std::int64_t year)
{
    return kCommonDaysBeforeMonth[month] + (month > 2 && IsLeapYear(year) ? 1 : 0);
}

// Leap years from year 1 to the year before `year` (truncating divisions).
std::int64_t LeapYearsBefore(std::int64_t year)
{
    return (year - 1) / 400 + (year - 1) / 4 - (year - 1) / 100;
}

// Stamp seconds of the first second of day one of `year`'s day `dayOfYear` (may be 0).
// Computed in 64 bits: 32-bit products would overflow from 2069 on.
std::int64_t DayStartSeconds(std::int64_t year, std::int64_t dayOfYear)
{
    return (LeapYearsBefore(year) - kLeapYearsOffset) * kSecondsPerDay + (year - 2000) * kSecondsPerCommonYear +
           (dayOfYear - 1) * kSecondsPerDay;
}

// The date text of day `dayOfYear` of `year`, walking the months from January.
std::string DateOfDayOfYear(std::int64_t dayOfYear, std::int64_t year)
{
    int month = 1;
    while (month < 12 && dayOfYear > MonthLength(month, year))
        dayOfYear -= MonthLength(month++, year);
    return FormatDate(static_cast<int>(dayOfYear), month, static_cast<int>(year));
}
} // namespace

void STimeStamp::Compute()
{
    const bool dateValid =
        m_nMonth >= 1 && m_nMonth <= 12 && m_nDay >= 1 && m_nDay <= MonthLength(m_nMonth, m_nYear);
    const int day = dateValid ? m_nDay : 0;
    const int month = dateValid ? m_nMonth : 0;
    m_nDayOfYear = day + DaysBeforeMonth(month, m_nYear);
    m_dSecondsOfDay = m_nHour * 3600.0 + m_nMinute * 60.0 + m_nSecond + m_nMillisecond / 1000.0;
    m_dStampSeconds = static_cast<double>(DayStartSeconds(m_nYear, m_nDayOfYear)) + m_dSecondsOfDay;
}

STimeStamp STimeStamp::FromClock(const SClockTime& time)
{
    STimeStamp stamp;
    stamp.m_nHour = time.m_nHour;
    stamp.m_nMinute = time.m_nMinute;
    stamp.m_nSecond = time.m_nSecond;
    stamp.m_nMillisecond = time.m_nMillisecond;
    stamp.m_nDay = time.m_nDay;
    stamp.m_nMonth = time.m_nMonth;
    stamp.m_nYear = time.m_nYear;
    stamp.Compute();
    return stamp;
}

double GetStampSeconds()
{
    return STimeStamp::FromClock(LocalNow()).m_dStampSeconds;
}

double GetSecondsOfDay()
{
    return STimeStamp::FromClock(LocalNow()).m_dSecondsOfDay;
}

void SplitTime(double seconds, int* hour, int* minute, int* second, int* millisecond)
{
    double x = std::fmod(seconds, static_cast<double>(kSecondsPerDay));
    if (!std::isfinite(x))
        x = 0.0;
    // Whole milliseconds, truncated toward zero. A value built from whole milliseconds is
    // often stored a hair below them (2.123 as 2.12299999...); one microsecond of
    // tolerance keeps such a value on its own millisecond.
    std::int64_t total = static_cast<std::int64_t>(x * 1000.0 + (x < 0 ? -1e-3 : 1e-3)) % kMillisecondsPerDay;
    const std::int64_t whole = total / 1000;
    if (hour != nullptr)
        *hour = static_cast<int>(whole / 3600);
    if (minute != nullptr)
        *minute = static_cast<int>(whole % 3600 / 60);
    if (second != nullptr)
        *second = static_cast<int>(whole % 60);
    if (millisecond != nullptr)
        *millisecond = static_cast<int>(total % 1000);
}

std::string FormatClock(int hour, int minute, int second, int millisecond)
{
    // A negative millisecond counts too: -0.5 s reads -00:00:00.500, not 00:00:00.-500.
    const bool negative = hour < 0 || minute < 0 || second < 0 || millisecond < 0;
    const std::string text = FormatC("%02lld:%02lld:%02lld.%03lld", std::llabs(hour), std::llabs(minute),
                                     std::llabs(second), std::llabs(millisecond));
    return negative ? "-" + text : text;
}

std::string FormatDate(int day, int month, int year)
{
    if (day < 1 || day > 31 || month < 1 || month > 12 || year < 1900)
        return std::string();
    return FormatC("%02d %s %d", day, kMonthAbbreviations[month], year);
}

std::string FormatStampDate(double stampSeconds)
{
    // Far outside any calendar the program meets (about 3 million years): no date.
    if (!std::isfinite(stampSeconds) || std::fabs(stampSeconds) > 1e14)
        return std::string();
    std::int64_t year = 2000 + static_cast<std::int64_t>(stampSeconds / kSecondsPerCommonYear);
    if (static_cast<double>(DayStartSeconds(year, 1)) > stampSeconds)
        --year;
    const std::int64_t dayOfYear =
        1 + static_cast<std::int64_t>((stampSeconds - static_cast<double>(DayStartSeconds(year, 1))) / kSecondsPerDay);
    return DateOfDayOfYear(dayOfYear, year);
}

std::string FormatTimeOfDay(double seconds)
{
    int hour = 0, minute = 0, second = 0, millisecond = 0;
    SplitTime(seconds, &hour, &minute, &second, &millisecond);
    return FormatClock(hour, minute, second, millisecond);
}

std::string CurrentDateText()
{
    const STimeStamp now = STimeStamp::FromClock(LocalNow());
    return DateOfDayOfYear(now.m_nDayOfYear, now.m_nYear);
}

std::string CurrentTimeText()
{
    return FormatTimeOfDay(GetStampSeconds());
}

std::string FormatDayFileStamp(const SClockTime& time)
{
    if (time.m_nMonth < 1 || time.m_nMonth > 12)
        return std::string();
    return FormatC("%02d%s%d", time.m_nDay, kMonthAbbreviations[time.m_nMonth], time.m_nYear);
}

std::string MakeDateFileStamp(int hours)
{
    const SClockTime now = LocalNow();
    const std::string day = FormatDayFileStamp(now);
    if (day.empty())
        return day;
    switch (hours)
    {
    case 1: case 2: case 3: case 4: case 6: case 8: case 12:
        return FormatC("%s@%02d00", day.c_str(), now.m_nHour - now.m_nHour % hours);
    default:
        return day;
    }
}

std::string MonthName(int month)
{
    return month >= 1 && month <= 12 ? kMonthNames[month] : std::string();
}
