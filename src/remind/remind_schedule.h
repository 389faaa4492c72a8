#pragma once

#include <vector>

#include "calendar/local_date_time.h"
#include "xml/tessvar_xml_parse.h"

namespace veltaro {

// The concrete local time at which one plan comes due.
struct RemindOccurrence {
    // The plan's `Item`, through which the alert reads the message; valid until the tree changes.
    const CTessvarXmlParse* plan = nullptr;
    // The date is 0, 0, 0 for a weekly plan without weekdays and a lunar date the calendar can't
    // place; the time of day is the plan's, unchecked.
    LocalDateTime time;
    int action = 0;
};

// One occurrence per plan, sorted by time; occurrences at equal times keep file order, date
// plans first.
using RemindSchedule = std::vector<RemindOccurrence>;

// Every plan's occurrence as of `now`: open fields and weekly plans are resolved from now's date,
// and nothing is rolled forward, so an occurrence that has passed stays in the past.
RemindSchedule BuildRemindSchedule(const CTessvarXmlParse& root, const LocalDateTime& now);

// The start of the day after `now`. Open fields and weekly plans then mean another day, so a
// program that keeps running builds the schedule again: a plan for every day at eight comes due
// every day, not only on the days the program started or the computer resumed.
LocalDateTime NextDayStart(const LocalDateTime& now);

// Whether the scheduler arms a timer for the occurrence at `now`: it has not passed (one at now
// to the second has not), and it is a time the calendar has, so that it can't fire at some
// unrelated moment (30 February, month 13, hour 25, the missing dates 0, 0, 0).
bool IsOccurrenceArmed(const RemindOccurrence& occurrence, const LocalDateTime& now);

}  // namespace veltaro
