#pragma once
// The one time scale of the system, the stamp seconds: local wall-clock seconds since
// 2000-01-02 00:00:00 with millisecond resolution, and the date and clock texts built on
// it. Month names are the English abbreviations whatever the user's locale. Every
// function is safe to call from any thread.

#include "platform/clock.h"

#include <cstdint>
#include <string>

struct STimeStamp
{
    // Inputs, from the local clock.
    std::int32_t m_nHour = 0;
    std::int32_t m_nMinute = 0;
    std::int32_t m_nSecond = 0;
    std::int32_t m_nMillisecond = 0;
    // Derived by Compute.
    double m_dSecondsOfDay = 0.0;
    // Inputs.
    std::int32_t m_nDay = 1;
    std::int32_t m_nMonth = 1;
    std::int32_t m_nYear = 2000;
    // Derived by Compute: day of year is 0 when day or month is out of range.
    std::int32_t m_nDayOfYear = 0;
    double m_dStampSeconds = 0.0;

    // Fills seconds of day, day of year and stamp seconds from the seven inputs.
    void Compute();

    // The stamp of a clock reading, computed.
    static STimeStamp FromClock(const SClockTime& time);
};

// Stamp seconds and seconds of day of the current local time.
double GetStampSeconds();
double GetSecondsOfDay();

// Hour, minute, second and millisecond of `seconds` taken modulo one day (the remainder
// keeps the sign). Each output may be null.
void SplitTime(double seconds, int* hour, int* minute, int* second, int* millisecond);

// "%02d:%02d:%02d.%03d" of the absolute values, with a leading "-" when any is negative.
std::string FormatClock(int hour, int minute, int second, int millisecond);

// "08 Dec 2026"; the empty text when day is outside 1..31, month outside 1..12 or year
// below 1900.
std::string FormatDate(int day, int month, int year);

// The date text of the calendar day on which a stamp seconds value falls.
std::string FormatStampDate(double stampSeconds);

// FormatClock of SplitTime of `seconds`.
std::string FormatTimeOfDay(double seconds);

// Today's date text and the clock text of the current stamp seconds.
std::string CurrentDateText();
std::string CurrentTimeText();

// The day file stamp of a clock reading, such as "08Dec2026"; empty when its month is out
// of range.
std::string FormatDayFileStamp(const SClockTime& time);

// Today as "08Dec2026", or "08Dec2026@0900" when `hours` is 1, 2, 3, 4, 6, 8 or 12 (the
// first hour of the current block of that many hours).
std::string MakeDateFileStamp(int hours);

// The full English month name, "January" to "December"; empty outside 1..12.
std::string MonthName(int month);
