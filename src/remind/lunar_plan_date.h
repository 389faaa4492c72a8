#pragma once

#include "calendar/local_date_time.h"

namespace veltaro {

// The Gregorian date of lunar year/month/day, as a lunar plan means it: that day of the ordinary
// month when it exists, else the last day whose lunar date (leap flag ignored) is not later than
// the target, so day 30 of a 29-day month gives the month's last day, or the last day of the leap
// month that follows it. When that day falls in
// the next Gregorian year, the same month and day of the lunar year before is taken instead
// while that is still to come from `today`.
//
// Only the lunar years of the calendar's table (1900 to 2099) have dates; for any other year,
// and when no day qualifies, the result is 0, 0, 0.
LocalDate LunarPlanDate(int year, int month, int day, const LocalDate& today);

}  // namespace veltaro
