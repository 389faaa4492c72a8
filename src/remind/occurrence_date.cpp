#include "remind/occurrence_date.h"

#include "remind/lunar_plan_date.h"

namespace veltaro {
namespace {

int OrToday(int value, int todayValue) {
    return value < 1 ? todayValue : value;
}

}  // namespace

LocalDate OccurrenceDate(int year, int month, int day, bool lunar, const LocalDate& today) {
    const LocalDate date{OrToday(year, today.year), OrToday(month, today.month),
                         OrToday(day, today.day)};
    return lunar ? LunarPlanDate(date.year, date.month, date.day, today) : date;
}

std::optional<int> DaysToWeeklyDate(const LocalDate& today, int weekdays) {
    const int todayWeekday = IsoWeekday(today);
    for (int ahead = 0; ahead < 7; ++ahead) {
        if ((weekdays & WeekdayBit((todayWeekday - 1 + ahead) % 7 + 1)) != 0) {
            return ahead;
        }
    }
    return std::nullopt;
}

std::optional<LocalDate> NextWeeklyDate(const LocalDate& today, int weekdays) {
    const std::optional<int> ahead = DaysToWeeklyDate(today, weekdays);
    return ahead ? std::optional(AddDays(today, *ahead)) : std::nullopt;
}

LocalDate PlanOccurrenceDate(const RemindPlan& plan, const LocalDate& today) {
    if (plan.kind == RemindPlanKind::Date) {
        return OccurrenceDate(plan.year, plan.month, plan.day, plan.lunar, today);
    }
    return NextWeeklyDate(today, plan.weekdays).value_or(LocalDate{});
}

}  // namespace veltaro
