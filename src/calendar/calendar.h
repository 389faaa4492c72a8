#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "calendar/lunar_date.h"

namespace veltaro {

// Calendar arithmetic over the fixed lunar year table (lunar years 1900 to 2099) and the mean
// solar-term offsets. Holds no data: create one wherever it is needed, from any thread.
//
// Every operation has a defined result for every argument: where the tables have no answer the
// result says so (no lunar date, 0 days, the empty name) instead of reading past a table.
class CCalendar {
public:
    virtual ~CCalendar() = default;

    // Days from the reference date (refYear, refMonth, refDay) to the date, negative when the date
    // is earlier. A month outside 1..12 or a day beyond the month's end counts on into the
    // following months and years (month 13 is January of the next year, day 0 the last day of the
    // month before), as mktime does.
    int DayDiff(std::uint16_t year, std::uint16_t month, std::uint16_t day, std::uint16_t refYear,
                std::uint16_t refMonth, std::uint16_t refDay) const;

    // 28..31 for month 1..12; other month numbers count on into the neighbouring years like
    // DayDiff.
    int SolarMonthDays(int year, int month) const;

    // 353..385 for the lunar years 1900..2099; 0 for any other year.
    int LunarYearDays(int year) const;

    // The lunar date of a Gregorian date from 1900-01-31 (lunar 1900-1-1) to 2100-02-08 (lunar
    // 2099-12-30). Dates outside that span, and dates that do not exist (month 13, February 30,
    // day 0), have no lunar date: the result is then empty.
    std::optional<LunarDate> SolarToLunar(int year, int month, int day) const;

    // The name of lunar day 1..30 ("初一" .. "三十"); empty for any other day.
    std::string LunarDayName(int day) const;

    // The name of lunar month 1..12 ("正月" .. "十二月"), after "闰" for a leap month; empty for
    // any other month.
    std::string LunarMonthName(int month, bool leap) const;

    // The name of solar term 0..23, counted from "小寒" at the start of the Gregorian year; empty
    // for any other index.
    std::string SolarTermName(int term) const;

    // The instant of solar term 0..23 of a Gregorian year, in whole seconds since 1970-01-01 UTC
    // (truncated toward zero); empty for any other index.
    std::optional<std::int64_t> SolarTermInstant(int year, int term) const;

    // The day of the month, in UTC, on which solar term 0..23 falls in the Gregorian year; term n
    // falls in month n / 2 + 1. 0 for any other index.
    int SolarTermDay(int year, int term) const;
};

}  // namespace veltaro
