#pragma once

#include <string>
#include <string_view>

#include "calendar/local_date_time.h"
#include "remind/remind_plan.h"

namespace veltaro {

// The editor's "Recent Remind" and "Diff Days" columns of one plan.
struct RecentRemindTexts {
    std::string recentRemind;
    std::string diffDays;
};

// The "Diff Days" of a date plan whose date or time the calendar lacks (31 February, hour 25): it
// is never armed, whatever the day. The same word in both languages.
inline constexpr std::string_view kNeverDue = "never";

// As of `now`, the occurrence the schedule would get: a date plan as "YYYY/MM/DD HH:MM:SS" with
// the days from today to it, a weekly plan as the weekday's name and the time with the days to
// that weekday (0 to 6). "Diff Days" is "never" for a date or time the calendar lacks, and empty
// when there is no date: a weekly plan without weekdays, or a lunar date the calendar can't place.
RecentRemindTexts RecentRemindText(const RemindPlan& plan, int language, const LocalDateTime& now);

}  // namespace veltaro
