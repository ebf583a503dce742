#include "settings/time_stamp.h"

#include <gtest/gtest.h>

#include <chrono>
#include <clocale>
#include <memory>

namespace
{
using namespace std::chrono;

STimeStamp Stamp(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int ms = 0)
{
    return STimeStamp::FromClock(SClockTime{year, month, day, hour, minute, second, ms});
}

// Seconds from 2000-01-02 00:00:00 to midnight of a date, by the standard calendar.
double ReferenceStamp(int year, int month, int day)
{
    const sys_days start{2000y / January / 2};
    const sys_days date{std::chrono::year{year} / month / day};
    return static_cast<double>((date - start).count()) * 86400.0;
}

TEST(TimeStampTest, ScaleStartsOnTheSecondOfJanuary2000)
{
    EXPECT_EQ(Stamp(2000, 1, 1).m_dStampSeconds, -86400.0);
    EXPECT_EQ(Stamp(2000, 1, 2).m_dStampSeconds, 0.0);
    EXPECT_EQ(Stamp(2001, 1, 1).m_dStampSeconds, 31536000.0);
    // 2026-12-08 10:39:02.123: L = 491, day of year 342.
    const STimeStamp s = Stamp(2026, 12, 8, 10, 39, 2, 123);
    EXPECT_EQ(s.m_nDayOfYear, 342);
    EXPECT_DOUBLE_EQ(s.m_dSecondsOfDay, 38342.123);
    EXPECT_DOUBLE_EQ(s.m_dStampSeconds, 6.0 * 86400 + 26.0 * 31536000 + 341.0 * 86400 + 38342.123);
}

TEST(TimeStampTest, EveryDayMatchesTheCalendarAcrossLeapYearsAndCenturies)
{
    // 1900 and 2100 are no leap years, 2000 is; beyond 2068 the seconds exceed 32 bits.
    for (int year : {1900, 1999, 2000, 2023, 2024, 2068, 2069, 2100, 2400})
        for (int month = 1; month <= 12; ++month)
        {
            const int last = static_cast<int>(unsigned{(std::chrono::year{year} / month / std::chrono::last).day()});
            for (int day : {1, 28, last})
            {
                const STimeStamp s = Stamp(year, month, day, 23, 59, 59, 999);
                EXPECT_DOUBLE_EQ(s.m_dStampSeconds, ReferenceStamp(year, month, day) + 86399.999)
                    << year << "-" << month << "-" << day;
                EXPECT_EQ(FormatStampDate(s.m_dStampSeconds), FormatDate(day, month, year));
                EXPECT_EQ(FormatStampDate(ReferenceStamp(year, month, day)), FormatDate(day, month, year));
            }
        }
}

TEST(TimeStampTest, DayOfYearAndOutOfRangeDates)
{
    EXPECT_EQ(Stamp(2024, 2, 29).m_nDayOfYear, 60);
    EXPECT_EQ(Stamp(2023, 3, 1).m_nDayOfYear, 60);
    EXPECT_EQ(Stamp(2024, 12, 31).m_nDayOfYear, 366);
    // Out of range: day of year 0, the day before January 1st; the inputs stay.
    const STimeStamp month13 = Stamp(2024, 13, 5);
    EXPECT_EQ(month13.m_nDayOfYear, 0);
    EXPECT_EQ(month13.m_nMonth, 13);
    EXPECT_EQ(month13.m_dStampSeconds, ReferenceStamp(2023, 12, 31));
    EXPECT_EQ(Stamp(2023, 2, 29).m_nDayOfYear, 0);
}

TEST(TimeStampTest, StampDates)
{
    EXPECT_EQ(FormatStampDate(31536000.0), "01 Jan 2001");
    EXPECT_EQ(FormatStampDate(0.0), "02 Jan 2000");
    EXPECT_EQ(FormatStampDate(-0.001), "01 Jan 2000");
    EXPECT_EQ(FormatStampDate(-86400.0 - 1), "31 Dec 1999");
    EXPECT_EQ(FormatStampDate(1e300), "");
    EXPECT_EQ(FormatStampDate(std::numeric_limits<double>::quiet_NaN()), "");
}

TEST(TimeStampTest, DateTexts)
{
    EXPECT_EQ(FormatDate(8, 12, 2026), "08 Dec 2026");
    EXPECT_EQ(FormatDate(31, 2, 2026), "31 Feb 2026");
    EXPECT_EQ(FormatDate(0, 1, 2026), "");
    EXPECT_EQ(FormatDate(32, 1, 2026), "");
    EXPECT_EQ(FormatDate(1, 13, 2026), "");
    EXPECT_EQ(FormatDate(1, 1, 1899), "");
    EXPECT_EQ(FormatDate(1, 1, 1900), "01 Jan 1900");
}

TEST(TimeStampTest, ClockTexts)
{
    EXPECT_EQ(FormatTimeOfDay(10 * 3600 + 39 * 60 + 2.5), "10:39:02.500");
    EXPECT_EQ(FormatTimeOfDay(86400 + 61), "00:01:01.000");
    EXPECT_EQ(FormatClock(-1, 5, 0, 0), "-01:05:00.000");
    EXPECT_EQ(FormatTimeOfDay(-3661.25), "-01:01:01.250");
    EXPECT_EQ(FormatTimeOfDay(-0.5), "-00:00:00.500");
    int hour = -9, second = -9;
    SplitTime(86399.9999, &hour, nullptr, &second, nullptr);
    EXPECT_EQ(hour, 23);
    EXPECT_EQ(second, 59);
}

TEST(TimeStampTest, CurrentTextsShowTheClockMillisecondExactly)
{
    // Stamp seconds of 2026 hold a millisecond only approximately; the text must not lose
    // one to truncation.
    auto clock = std::make_shared<CSettableClock>(SClockTime{2026, 12, 8, 10, 39, 2, 0});
    CScopedClock installed(clock);
    for (int ms = 0; ms < 1000; ++ms)
    {
        ASSERT_EQ(CurrentTimeText(), FormatClock(10, 39, 2, ms));
        clock->Advance(1);
    }
    clock->Set(SClockTime{2026, 12, 8, 10, 39, 2, 123});
    EXPECT_EQ(CurrentTimeText(), "10:39:02.123");
    EXPECT_EQ(FormatTimeOfDay(GetSecondsOfDay()), "10:39:02.123");
    EXPECT_EQ(CurrentDateText(), "08 Dec 2026");
    EXPECT_EQ(FormatStampDate(GetStampSeconds()), "08 Dec 2026");
    EXPECT_DOUBLE_EQ(GetStampSeconds(), Stamp(2026, 12, 8, 10, 39, 2, 123).m_dStampSeconds);
}

TEST(TimeStampTest, DateFileStampsByHourBlocks)
{
    CScopedClock clock(std::make_shared<CSettableClock>(SClockTime{2026, 12, 8, 10, 39, 0, 0}));
    EXPECT_EQ(MakeDateFileStamp(3), "08Dec2026@0900");
    EXPECT_EQ(MakeDateFileStamp(5), "08Dec2026");
    EXPECT_EQ(MakeDateFileStamp(0), "08Dec2026");
    EXPECT_EQ(MakeDateFileStamp(1), "08Dec2026@1000");
    EXPECT_EQ(MakeDateFileStamp(4), "08Dec2026@0800");
    EXPECT_EQ(MakeDateFileStamp(12), "08Dec2026@0000");
    EXPECT_EQ(MakeDateFileStamp(24), "08Dec2026");
}

TEST(TimeStampTest, MonthNamesAreEnglishInAnyLocale)
{
    // A locale with other month names and a decimal comma, where one is installed.
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "C.UTF-8"})
        if (std::setlocale(LC_ALL, name) != nullptr)
            break;
    CScopedClock clock(std::make_shared<CSettableClock>(SClockTime{2026, 3, 8, 10, 39, 0, 0}));
    EXPECT_EQ(CurrentDateText(), "08 Mar 2026");
    EXPECT_EQ(MakeDateFileStamp(0), "08Mar2026");
    EXPECT_EQ(FormatTimeOfDay(2.5), "00:00:02.500");
    EXPECT_EQ(MonthName(5), "May");
    EXPECT_EQ(MonthName(12), "December");
    EXPECT_EQ(MonthName(13), "");
    std::setlocale(LC_ALL, previous.c_str());
}
} // namespace
