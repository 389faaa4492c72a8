#pragma once

#include <string>

#include "calendar/local_date_time.h"
#include "remind/remind_plan.h"

namespace veltaro {

// The editor's "Recent Remind" and "Diff Days" columns of one plan.
struct RecentRemindTexts {
    std::string recentRemind;
    std::string diffDays;
};

// As of `now`, the occurrence the schedule would get: a date plan as "YYYY/MM/DD HH:MM:SS" with
// the days from today to it, a weekly plan as the weekday's name and the time with the days to
// that weekday (0 to 6). "Diff Days" is empty when there is no date: a weekly plan without
// weekdays, or a lunar date the calendar can't place.
RecentRemindTexts RecentRemindText(const RemindPlan& plan, int language, const LocalDateTime& now);

}  // namespace veltaro
