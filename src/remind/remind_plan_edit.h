#pragma once

#include <string_view>

#include "remind/remind_plan.h"
#include "xml/tessvar_xml_parse.h"

namespace veltaro {

// The editor's changes to the plan tree. Each is followed by SaveRemindFile and a rebuild of the
// schedule; none of them touches the file.

// The editor's rows carry a value below 500 for a date plan and 500 plus the index for a weekly
// plan, so the editor adds no date plan beyond the 500th. (A hand-edited file may hold more; the
// editor still tells them apart.)
inline constexpr int kDatePlanLimit = 500;
bool DatePlanListFull(const CTessvarXmlParse& root);

// Appends an `Item` to the date plans. Year, month and day are stored as given: the editor
// passes the text of its list entries, so an open field is stored as "Any" or "任意". Missing
// `DateType` and `WeeklyType` elements are created first. False when the item can't be created or
// a value can't be stored (text XML can't hold); the tree then holds no trace of the plan.
bool AppendDatePlan(CTessvarXmlParse& root, std::string_view yearText, std::string_view monthText,
                    std::string_view dayText, bool lunar, int action, int hour, int minute,
                    int second, std::string_view message);

// The same for the weekly plans, with the weekday set (kMondayBit ... kSundayBit).
bool AppendWeeklyPlan(CTessvarXmlParse& root, int weekdays, int action, int hour, int minute,
                      int second, std::string_view message);

// Removes plan `index` of a kind; later plans of that list move down one index. False, and
// nothing removed, for an index outside the list, and for a child that is itself one of the
// file's lists (as happens when a missing list falls back to its parent), which would take
// every plan in it along.
bool DeleteRemindPlan(CTessvarXmlParse& root, RemindPlanKind kind, int index);

}  // namespace veltaro
