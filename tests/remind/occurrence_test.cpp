#include <climits>

#include <gtest/gtest.h>

#include "remind/lunar_plan_date.h"
#include "remind/occurrence_date.h"
#include "remind/remind_plan.h"

namespace veltaro {

void PrintTo(const LocalDate& date, std::ostream* out) {
    *out << date.year << '-' << date.month << '-' << date.day;
}

namespace {

struct OccurrenceCase {
    std::string_view name;
    int year, month, day;
    bool lunar;
    LocalDate today;
    LocalDate expected;
};

TEST(OccurrenceDate, FillsOpenFieldsFromTodayAndKeepsGregorianDatesAsGiven) {
    const OccurrenceCase cases[] = {
        {"open year and month, before the day", 0, 0, 15, false, {2008, 6, 1}, {2008, 6, 15}},
        {"open year and month, past the day", 0, 0, 15, false, {2008, 6, 20}, {2008, 6, 15}},
        {"open month and day", 2008, 0, 0, false, {2008, 3, 10}, {2008, 3, 10}},
        {"everything open", 0, 0, 0, false, {2008, 3, 10}, {2008, 3, 10}},
        {"negative fields are open", -1, -12, -31, false, {2008, 3, 10}, {2008, 3, 10}},
        {"a date that does not exist", 0, 2, 30, false, {2009, 6, 1}, {2009, 2, 30}},
        {"hand-edited month and day", 2008, 13, 40, false, {2008, 6, 1}, {2008, 13, 40}},
        {"lunar, open year", 0, 8, 15, true, {2008, 6, 1}, {2008, 9, 14}},
        // The open year is today's Gregorian year, taken as the lunar year.
        {"lunar, open year at the start of the year",
         0,
         12,
         20,
         true,
         {2008, 1, 10},
         {2008, 1, 27}},
        {"lunar, open year later in the year", 0, 12, 20, true, {2008, 3, 1}, {2009, 1, 15}},
        {"lunar, everything open", 0, 0, 0, true, {2008, 6, 4}, {2008, 7, 6}},
    };
    for (const OccurrenceCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(OccurrenceDate(c.year, c.month, c.day, c.lunar, c.today), c.expected);
    }
}

struct LunarCase {
    std::string_view name;
    int year, month, day;
    LocalDate today;
    LocalDate expected;
};

TEST(LunarPlanDate, FindsTheDayOfTheOrdinaryMonthOrTheLastDayBeforeTheTarget) {
    const LunarCase cases[] = {
        {"new year 2000", 2000, 1, 1, {2000, 1, 1}, {2000, 2, 5}},
        {"new year 1999", 1999, 1, 1, {2000, 1, 1}, {1999, 2, 16}},
        {"mid-autumn 2008", 2008, 8, 15, {2008, 1, 1}, {2008, 9, 14}},
        // 2020 has a leap fourth month after a fourth month of 30 days.
        {"day 29 of a month with a leap month after it", 2020, 4, 29, {2020, 1, 1}, {2020, 5, 21}},
        {"last day of a month with a leap month after it",
         2020,
         4,
         30,
         {2020, 1, 1},
         {2020, 5, 22}},
        {"day 31 runs to the end of the leap month", 2020, 4, 31, {2020, 1, 1}, {2020, 6, 20}},
        // 2017 has a leap sixth month of 30 days after a sixth month of 29.
        {"day 30 missing from the ordinary month", 2017, 6, 30, {2017, 1, 1}, {2017, 8, 21}},
        {"day 30 of a 29-day month without leap month", 2008, 2, 30, {2008, 1, 1}, {2008, 4, 5}},
        {"the month before a leap eleventh month", 2033, 11, 30, {2033, 1, 1}, {2033, 12, 21}},
        {"day 0 is the day before day 1", 2008, 6, 0, {2008, 1, 1}, {2008, 7, 2}},
        {"month 13 is the end of the lunar year", 2008, 13, 5, {2008, 6, 1}, {2009, 1, 25}},
    };
    for (const LunarCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LunarPlanDate(c.year, c.month, c.day, c.today), c.expected);
    }
}

TEST(LunarPlanDate, TakesTheYearBeforeWhileItsDateIsStillToCome) {
    const LunarCase cases[] = {
        // Lunar 2008/12/20 is 2009-01-15; lunar 2007/12/20 is 2008-01-27.
        {"still to come", 2008, 12, 20, {2008, 1, 10}, {2008, 1, 27}},
        {"that very day", 2008, 12, 20, {2008, 1, 27}, {2008, 1, 27}},
        {"already past", 2008, 12, 20, {2008, 1, 28}, {2009, 1, 15}},
        {"today in the lunar year after", 2008, 12, 20, {2008, 3, 1}, {2009, 1, 15}},
        // Lunar 2010/12/20 is 2011-01-23; lunar 2009/12/20 is 2010-02-03.
        {"an explicit year, years ahead", 2010, 12, 20, {2008, 1, 10}, {2010, 2, 3}},
        {"an explicit year, today long before", 2098, 12, 30, {1970, 1, 1}, {2098, 1, 31}},
        // Lunar 2010/8/15 is 2010-09-22, in its own Gregorian year: no earlier lunar year to try.
        {"an explicit year, a date in its own year", 2010, 8, 15, {2008, 1, 10}, {2010, 9, 22}},
    };
    for (const LunarCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LunarPlanDate(c.year, c.month, c.day, c.today), c.expected);
    }
}

TEST(LunarPlanDate, EndsAtTheEdgesOfTheLunarTable) {
    const LunarCase cases[] = {
        {"the table's first day", 1900, 1, 1, {2008, 1, 1}, {1900, 1, 31}},
        {"the table's last day", 2099, 12, 30, {2099, 3, 1}, {2100, 2, 8}},
        {"the year before from within it", 2099, 12, 30, {2099, 1, 10}, {2099, 1, 20}},
        {"lunar 1900 from a today before the table", 1900, 12, 20, {1899, 6, 1}, {1901, 2, 8}},
        {"a year before the table", 1899, 12, 1, {2008, 1, 1}, {}},
        // The editor offers 2100; lunar years end with 2099.
        {"a year after the table", 2100, 1, 1, {2100, 1, 10}, {}},
        {"a year after the table, today after it too", 2100, 6, 1, {2100, 6, 1}, {}},
        {"far beyond", INT_MAX, INT_MAX, INT_MAX, {2008, 1, 1}, {}},
        {"a month far beyond", 2008, INT_MAX, 1, {2008, 1, 1}, {}},
        {"a day far beyond", 2008, 1, INT_MAX, {2008, 1, 1}, {}},
        {"far below", INT_MIN, INT_MIN, INT_MIN, {2008, 1, 1}, {}},
        {"a month far below", 1900, INT_MIN, 1, {2008, 1, 1}, {}},
    };
    for (const LunarCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LunarPlanDate(c.year, c.month, c.day, c.today), c.expected);
    }
}

TEST(OccurrenceDate, GivesNoDateForALunarYearTheTableLacks) {
    EXPECT_EQ(OccurrenceDate(0, 1, 1, true, {2100, 1, 10}), LocalDate{});
    EXPECT_EQ(OccurrenceDate(2100, 12, 1, true, {2008, 1, 1}), LocalDate{});
}

struct WeeklyCase {
    std::string_view name;
    LocalDate today;
    int weekdays;
    std::optional<LocalDate> expected;
};

TEST(NextWeeklyDate, TakesTheFirstWeekdayInTheSetFromTodayOn) {
    // 2008-06-04 was a Wednesday.
    const WeeklyCase cases[] = {
        {"today among others", {2008, 6, 4}, kWednesdayBit | kMondayBit, LocalDate{2008, 6, 4}},
        {"five days ahead", {2008, 6, 4}, kMondayBit, LocalDate{2008, 6, 9}},
        {"Sunday on a Sunday", {2008, 6, 8}, kSundayBit, LocalDate{2008, 6, 8}},
        {"Sunday on a Monday", {2008, 6, 2}, kSundayBit, LocalDate{2008, 6, 8}},
        {"Monday on a Tuesday, across the month's end",
         {2008, 9, 30},
         kMondayBit,
         LocalDate{2008, 10, 6}},
        {"across the year's end", {2008, 12, 31}, kThursdayBit, LocalDate{2009, 1, 1}},
        {"across 29 February", {2008, 2, 28}, kSaturdayBit, LocalDate{2008, 3, 1}},
        {"every weekday", {2008, 6, 7}, 127, LocalDate{2008, 6, 7}},
        {"bits beyond Sunday count for nothing",
         {2008, 6, 7},
         128 | kFridayBit,
         LocalDate{2008, 6, 13}},
        {"no weekday", {2008, 6, 4}, 0, std::nullopt},
        {"only bits beyond Sunday", {2008, 6, 4}, 128 | 256, std::nullopt},
        {"a negative set holds every weekday", {2008, 6, 4}, -1, LocalDate{2008, 6, 4}},
    };
    for (const WeeklyCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(NextWeeklyDate(c.today, c.weekdays), c.expected);
    }
}

TEST(PlanOccurrenceDate, GivesNoDateForAWeeklyPlanWithoutWeekdays) {
    RemindPlan plan;
    plan.kind = RemindPlanKind::Weekly;
    plan.year = 2008;  // date fields play no part in a weekly plan
    EXPECT_EQ(PlanOccurrenceDate(plan, {2008, 6, 4}), LocalDate{});
    plan.weekdays = kFridayBit;
    EXPECT_EQ(PlanOccurrenceDate(plan, {2008, 6, 4}), (LocalDate{2008, 6, 6}));
}

}  // namespace
}  // namespace veltaro
