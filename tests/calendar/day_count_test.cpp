#include <gtest/gtest.h>

#include <cstdint>

#include "calendar/calendar.h"

namespace veltaro {
namespace {

struct DayDiffCase {
    std::uint16_t year, month, day;
    std::uint16_t refYear, refMonth, refDay;
    int expected;
};

TEST(DayDiff, CountsDaysFromTheReferenceDate) {
    const DayDiffCase cases[] = {
        {2000, 1, 1, 1900, 1, 1, 100 * 365 + 24},
        {1900, 1, 1, 2000, 1, 1, -(100 * 365 + 24)},
        {2024, 5, 17, 2024, 5, 17, 0},
        // 1900 is no leap year, 2000 is.
        {1900, 3, 1, 1900, 2, 28, 1},
        {2000, 3, 1, 2000, 2, 28, 2},
        {1899, 12, 31, 1900, 1, 1, -1},
        {2100, 2, 9, 1900, 1, 31, 73058},
        // Year 0 is a leap year of the proleptic calendar.
        {1, 1, 1, 0, 1, 1, 366},
        // Months and days out of their range count on into the neighbouring months and years.
        {2024, 13, 1, 2025, 1, 1, 0},
        {2024, 0, 1, 2023, 12, 1, 0},
        {2024, 3, 0, 2024, 2, 29, 0},
        {2023, 1, 32, 2023, 2, 1, 0},
        {2023, 2, 29, 2023, 3, 1, 0},
        {2024, 25, 1, 2026, 1, 1, 0},
    };
    const CCalendar calendar;
    for (const DayDiffCase& c : cases) {
        EXPECT_EQ(calendar.DayDiff(c.year, c.month, c.day, c.refYear, c.refMonth, c.refDay),
                  c.expected)
            << c.year << '-' << c.month << '-' << c.day << " from " << c.refYear << '-'
            << c.refMonth << '-' << c.refDay;
    }
}

TEST(DayDiff, ExtremeArgumentsStayInRange) {
    const CCalendar calendar;
    const int forward = calendar.DayDiff(65535, 65535, 65535, 0, 0, 0);
    EXPECT_GT(forward, 0);
    EXPECT_EQ(calendar.DayDiff(0, 0, 0, 65535, 65535, 65535), -forward);
}

TEST(DayDiff, GivesTheWeekdayCountedFrom1900) {
    struct WeekdayCase {
        std::uint16_t year, month, day;
        int weekday;  // 0 Sunday .. 6 Saturday
    };
    const WeekdayCase cases[] = {
        {1900, 1, 1, 1}, {2024, 1, 1, 1}, {2024, 9, 1, 0}, {2000, 2, 29, 2}, {2100, 2, 8, 1},
    };
    const CCalendar calendar;
    for (const WeekdayCase& c : cases) {
        EXPECT_EQ((calendar.DayDiff(c.year, c.month, c.day, 1900, 1, 1) + 1) % 7, c.weekday)
            << c.year << '-' << c.month << '-' << c.day;
    }
}

TEST(SolarMonthDays, GivesTheGregorianMonthLength) {
    struct MonthCase {
        int year, month, days;
    };
    const MonthCase cases[] = {
        {2024, 1, 31},
        {2024, 4, 30},
        {2024, 12, 31},
        {1900, 2, 28},
        {2000, 2, 29},
        {2023, 2, 28},
        {2024, 2, 29},
        {2100, 2, 28},
        // Month numbers beyond the year: 13 is next January, 0 last December, 14 next February.
        {2024, 13, 31},
        {2024, 0, 31},
        {2023, 14, 29},
        {2024, 14, 28},
        {2025, -10, 29},
    };
    const CCalendar calendar;
    for (const MonthCase& c : cases) {
        EXPECT_EQ(calendar.SolarMonthDays(c.year, c.month), c.days) << c.year << '-' << c.month;
    }
}

TEST(SolarMonthDays, AgreesWithDayDiffOverTheCalendarRange) {
    const CCalendar calendar;
    for (std::uint16_t year = 1899; year <= 2101; ++year) {
        for (std::uint16_t month = 1; month <= 12; ++month) {
            const auto nextMonth = static_cast<std::uint16_t>(month + 1);
            ASSERT_EQ(calendar.DayDiff(year, nextMonth, 1, year, month, 1),
                      calendar.SolarMonthDays(year, month))
                << year << '-' << month;
        }
    }
}

TEST(LunarYearDays, ReadsTheTableWithinItsYears) {
    struct YearCase {
        int year, days;
    };
    const YearCase cases[] = {
        {1900, 384},
        {2000, 354},
        {2020, 384},
        {1906, 384},
        {2099, 384},
        // Outside the table there is no lunar year.
        {1899, 0},
        {2100, 0},
        {1800, 0},
        {-1, 0},
    };
    const CCalendar calendar;
    for (const YearCase& c : cases) {
        EXPECT_EQ(calendar.LunarYearDays(c.year), c.days) << c.year;
    }
}

}  // namespace
}  // namespace veltaro
