#pragma once

#include <optional>

#include "calendar/local_date_time.h"
#include "remind/remind_plan.h"

namespace veltaro {

// The date of a date plan as of `today`: a year, month or day below 1 (open) becomes today's, and
// a lunar plan is then turned into its Gregorian date (LunarPlanDate), so an open year of a lunar
// plan is today's Gregorian year taken as the lunar year. A Gregorian date is not checked: day
// 31 of a 30-day month stays day 31.
LocalDate OccurrenceDate(int year, int month, int day, bool lunar, const LocalDate& today);

// Days from today (0 to 6) to the first weekday in the set, today's own weekday included.
// Empty for a set without weekdays.
std::optional<int> DaysToWeeklyDate(const LocalDate& today, int weekdays);

// The first date from today on whose weekday is in the set; the time of day plays no part, so
// a plan for today's weekday gets today even when its time has passed. Empty for a set without
// weekdays.
std::optional<LocalDate> NextWeeklyDate(const LocalDate& today, int weekdays);

// The date of either kind of plan: 0, 0, 0 for a weekly plan without weekdays.
LocalDate PlanOccurrenceDate(const RemindPlan& plan, const LocalDate& today);

}  // namespace veltaro
