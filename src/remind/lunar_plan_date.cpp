#include "remind/lunar_plan_date.h"

#include <algorithm>
#include <compare>
#include <optional>
#include <tuple>

#include "calendar/calendar.h"
#include "calendar/gregorian.h"

namespace veltaro {
namespace {

// The span of the calendar's lunar table: lunar 1900-1-1 to lunar 2099-12-30.
constexpr std::int64_t kFirstTableDay = DaysFromCivil(1900, 1, 31);
constexpr std::int64_t kLastTableDay = DaysFromCivil(2100, 2, 8);

struct LunarTarget {
    int year;
    int month;
    int day;
};

// Leap months carry the number of the month they follow, and the leap flag is not compared.
std::strong_ordering Compare(const LunarDate& date, const LunarTarget& target) {
    return std::tie(date.year, date.month, date.day) <=>
           std::tie(target.year, target.month, target.day);
}

LocalDate DateOfDayNumber(std::int64_t dayNumber) {
    const CivilDate civil = CivilFromDays(dayNumber);
    return {static_cast<int>(civil.year), civil.month, civil.day};
}

// Walks forward from `start` to the target day itself, or else to the last day before the first one
// whose lunar date is later than the target; empty when `start` itself is later. Stopping at the
// target keeps a leap month of the same number, whose days compare equal, from taking over a day
// that exists in the ordinary month. The walk never leaves the table: days before it have lunar
// dates earlier than any target in it, so it starts at the table's first day at the earliest, and
// it stops at the table's last day.
std::optional<std::int64_t> PlanDayFrom(std::int64_t start, const LunarTarget& target) {
    const CCalendar calendar;
    std::optional<std::int64_t> found;
    for (std::int64_t day = std::max(start, kFirstTableDay); day <= kLastTableDay; ++day) {
        const LocalDate date = DateOfDayNumber(day);
        const auto lunar = calendar.SolarToLunar(date.year, date.month, date.day);
        const std::strong_ordering order =
            lunar ? Compare(*lunar, target) : std::strong_ordering::greater;
        if (order > 0) {
            break;
        }
        found = day;
        if (order == 0) {
            break;
        }
    }
    return found;
}

}  // namespace

LocalDate LunarPlanDate(int year, int month, int day, const LocalDate& today) {
    if (CCalendar().LunarYearDays(year) == 0) {
        return {};
    }
    // The Gregorian date with the same numbers always lies before the lunar one.
    const auto found = PlanDayFrom(DaysFromCivil(year, month, day), {year, month, day});
    if (!found) {
        return {};
    }
    const LocalDate date = DateOfDayNumber(*found);
    if (date.year <= year) {
        return date;
    }
    // Every day before Gregorian January 1 of year - 1 lies in lunar year - 2 or earlier and so
    // is not later than the earlier target: starting there gives the same day as starting today.
    const std::int64_t start =
        std::max(DaysFromCivil(today.year, today.month, today.day), DaysFromCivil(year - 1, 1, 1));
    const auto earlier = PlanDayFrom(start, {year - 1, month, day});
    return earlier ? DateOfDayNumber(*earlier) : date;
}

}  // namespace veltaro
