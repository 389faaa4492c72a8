#include <gtest/gtest.h>

#include <optional>
#include <ostream>

#include "calendar/calendar.h"
#include "calendar/gregorian.h"

namespace veltaro {

void PrintTo(const LunarDate& date, std::ostream* out) {
    *out << date.year << '/' << date.month << '/' << date.day << (date.leap ? " leap" : "");
}

namespace {

struct ConversionCase {
    int year;
    int month;
    int day;
    std::optional<LunarDate> expected;
};

void PrintTo(const ConversionCase& c, std::ostream* out) {
    *out << c.year << '-' << c.month << '-' << c.day;
}

class SolarToLunarTest : public testing::TestWithParam<ConversionCase> {};

TEST_P(SolarToLunarTest, GivesTheTablesLunarDate) {
    const ConversionCase& c = GetParam();
    EXPECT_EQ(CCalendar().SolarToLunar(c.year, c.month, c.day), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Conversions, SolarToLunarTest,
    testing::Values(
        // The first and the last covered day, and the days just outside.
        ConversionCase{1900, 1, 30, std::nullopt},
        ConversionCase{1900, 1, 31, LunarDate{1900, 1, 1, false}},
        ConversionCase{2100, 2, 8, LunarDate{2099, 12, 30, false}},
        ConversionCase{2100, 2, 9, std::nullopt}, ConversionCase{1800, 6, 1, std::nullopt},
        ConversionCase{2200, 6, 1, std::nullopt},
        ConversionCase{-2147483647 - 1, 1, 1, std::nullopt},
        ConversionCase{2147483647, 12, 31, std::nullopt},
        // Lunar new year and the day before it.
        ConversionCase{2000, 2, 5, LunarDate{2000, 1, 1, false}},
        ConversionCase{2000, 2, 4, LunarDate{1999, 12, 29, false}},
        ConversionCase{2020, 1, 25, LunarDate{2020, 1, 1, false}},
        ConversionCase{2024, 2, 10, LunarDate{2024, 1, 1, false}},
        ConversionCase{2025, 1, 28, LunarDate{2024, 12, 29, false}},
        ConversionCase{2006, 12, 16, LunarDate{2006, 10, 26, false}},
        ConversionCase{2024, 9, 17, LunarDate{2024, 8, 15, false}},
        // Leap months: the first day, the last day, and the month after.
        ConversionCase{2020, 5, 23, LunarDate{2020, 4, 1, true}},
        ConversionCase{2020, 6, 21, LunarDate{2020, 5, 1, false}},
        ConversionCase{1906, 5, 23, LunarDate{1906, 4, 1, true}},
        ConversionCase{1906, 6, 21, LunarDate{1906, 4, 30, true}},
        ConversionCase{1906, 6, 22, LunarDate{1906, 5, 1, false}},
        ConversionCase{2033, 12, 22, LunarDate{2033, 11, 1, true}},
        ConversionCase{1984, 11, 23, LunarDate{1984, 10, 1, true}},
        ConversionCase{2023, 3, 22, LunarDate{2023, 2, 1, true}},
        // Leap month 8 of the table's first year (29 days, after a 30-day month 8).
        ConversionCase{1900, 9, 24, LunarDate{1900, 8, 1, true}},
        // Dates that do not exist have no lunar date.
        ConversionCase{2024, 0, 1, std::nullopt}, ConversionCase{2024, 13, 1, std::nullopt},
        ConversionCase{2024, 1, 0, std::nullopt}, ConversionCase{2023, 2, 29, std::nullopt},
        ConversionCase{2024, 4, 31, std::nullopt},
        ConversionCase{2024, 2, 29, LunarDate{2024, 1, 20, false}}));

// True when `after` is the lunar day right after `before`: the next day of the same month, or
// day 1 of the month that follows (the leap month comes right after the month it follows).
bool IsNextLunarDay(const LunarDate& before, const LunarDate& after) {
    const bool sameMonth =
        after.year == before.year && after.month == before.month && after.leap == before.leap;
    if (sameMonth) {
        return after.day == before.day + 1;
    }
    if (after.day != 1 || before.day < 29) {
        return false;
    }
    const bool leapMonthFollows =
        !before.leap && after.leap && after.year == before.year && after.month == before.month;
    const bool nextMonthFollows =
        !after.leap && after.year == before.year && after.month == before.month + 1;
    const bool nextYearBegins =
        !after.leap && before.month == 12 && after.year == before.year + 1 && after.month == 1;
    return leapMonthFollows || nextMonthFollows || nextYearBegins;
}

// Every covered day converts and follows on from the day before, and the days of each lunar year
// add up to LunarYearDays.
TEST(SolarToLunar, EveryCoveredDayFollowsTheDayBefore) {
    const CCalendar calendar;
    const std::int64_t first = DaysFromCivil(1900, 1, 31);
    const std::int64_t last = DaysFromCivil(2100, 2, 8);
    LunarDate previous = *calendar.SolarToLunar(1900, 1, 31);
    int daysInYear = 1;
    for (std::int64_t day = first + 1; day <= last; ++day) {
        const CivilDate date = CivilFromDays(day);
        const std::optional<LunarDate> lunar =
            calendar.SolarToLunar(static_cast<int>(date.year), date.month, date.day);
        ASSERT_TRUE(lunar.has_value()) << date.year << '-' << date.month << '-' << date.day;
        ASSERT_TRUE(IsNextLunarDay(previous, *lunar))
            << testing::PrintToString(previous) << " then " << testing::PrintToString(*lunar);
        if (lunar->year != previous.year) {
            ASSERT_EQ(daysInYear, calendar.LunarYearDays(previous.year)) << previous.year;
            daysInYear = 0;
        }
        ++daysInYear;
        previous = *lunar;
    }
    EXPECT_EQ(previous, (LunarDate{2099, 12, 30, false}));
    EXPECT_EQ(daysInYear, calendar.LunarYearDays(2099));
}

}  // namespace
}  // namespace veltaro
