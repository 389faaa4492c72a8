#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

#include "calendar/calendar.h"
#include "calendar/gregorian.h"

namespace veltaro {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

CivilDate UtcDateOf(std::int64_t seconds) {
    return CivilFromDays(FloorDiv(seconds, kSecondsPerDay));
}

std::int64_t UtcSeconds(int year, int month, int day, int hour, int minute) {
    return DaysFromCivil(year, month, day) * kSecondsPerDay + hour * 3600 + minute * 60;
}

TEST(SolarTermDay, GivesTheUtcDayOfTheTerm) {
    struct TermCase {
        int year, term, day;
    };
    const TermCase cases[] = {
        {2024, 0, 6},
        {2024, 15, 23},
        {2024, 23, 21},
        {1950, 12, 8},
        {1900, 0, 6},
        // No such term.
        {2024, 24, 0},
        {2024, -1, 0},
    };
    const CCalendar calendar;
    for (const TermCase& c : cases) {
        EXPECT_EQ(calendar.SolarTermDay(c.year, c.term), c.day) << c.year << " term " << c.term;
    }
}

TEST(SolarTermDay, IsADayOfTheMonthForAnyYear) {
    const CCalendar calendar;
    for (const int year : {-2147483647 - 1, -1, 0, 1800, 2101, 2147483647}) {
        for (int term = 0; term < 24; ++term) {
            const int day = calendar.SolarTermDay(year, term);
            EXPECT_GE(day, 1) << year << " term " << term;
            EXPECT_LE(day, 31) << year << " term " << term;
        }
    }
}

TEST(SolarTermInstant, CountsFromTheFirstTermOf1900) {
    const CCalendar calendar;
    // Term 0 of 1900 is the origin of the minute offsets, long before 1970.
    EXPECT_EQ(calendar.SolarTermInstant(1900, 0), UtcSeconds(1900, 1, 6, 2, 5));

    // 2024's winter solstice lies after 16:00 UTC: already the next day in China, yet its UTC
    // day is the one shown.
    const std::optional<std::int64_t> solstice = calendar.SolarTermInstant(2024, 23);
    ASSERT_TRUE(solstice.has_value());
    EXPECT_GE(*solstice, UtcSeconds(2024, 12, 21, 15, 30));
    EXPECT_LT(*solstice, UtcSeconds(2024, 12, 21, 15, 31));

    const std::optional<std::int64_t> lesserCold = calendar.SolarTermInstant(2024, 0);
    ASSERT_TRUE(lesserCold.has_value());
    EXPECT_GE(*lesserCold, UtcSeconds(2024, 1, 6, 2, 52));
    EXPECT_LT(*lesserCold, UtcSeconds(2024, 1, 6, 2, 53));

    EXPECT_EQ(calendar.SolarTermInstant(2024, 24), std::nullopt);
}

TEST(SolarTermInstant, FallsInItsMonthThroughoutTheCalendarRange) {
    const CCalendar calendar;
    for (int year = 1900; year <= 2100; ++year) {
        for (int term = 0; term < 24; ++term) {
            const CivilDate date = UtcDateOf(*calendar.SolarTermInstant(year, term));
            ASSERT_EQ(date.year, year) << "term " << term;
            ASSERT_EQ(date.month, term / 2 + 1) << year << " term " << term;
            ASSERT_EQ(date.day, calendar.SolarTermDay(year, term)) << year << " term " << term;
        }
    }
}

}  // namespace
}  // namespace veltaro
