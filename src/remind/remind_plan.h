#pragma once

#include <optional>
#include <string>
#include <vector>

#include "xml/tessvar_xml_parse.h"

namespace veltaro {

enum class RemindPlanKind {
    Date,    // a calendar date, possibly lunar, with year, month or day possibly open
    Weekly,  // a set of weekdays
};

// The weekday set of a weekly plan.
inline constexpr int kMondayBit = 1;
inline constexpr int kTuesdayBit = 2;
inline constexpr int kWednesdayBit = 4;
inline constexpr int kThursdayBit = 8;
inline constexpr int kFridayBit = 16;
inline constexpr int kSaturdayBit = 32;
inline constexpr int kSundayBit = 64;

// The bit of weekday 1 (Monday) to 7 (Sunday).
constexpr int WeekdayBit(int isoWeekday) {
    return 1 << (isoWeekday - 1);
}

// One plan as read from one `Item` element. Values are those of the file, unchecked: a
// hand-edited file may hold month 13 or hour 25, and the readers of a plan cope with that.
struct RemindPlan {
    RemindPlanKind kind = RemindPlanKind::Date;
    // Position among the children of its list; changes when an earlier plan is deleted.
    int index = 0;
    // Date plans only; 0 = any year, month or day.
    int year = 0;
    int month = 0;
    int day = 0;
    bool lunar = false;
    // Weekly plans only; the bits above.
    int weekdays = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int action = 0;  // a PowerAction code
    std::string message;
    // The element the plan was read from; owned by the tree, valid until the tree changes.
    const CTessvarXmlParse* node = nullptr;
};

// The element holding the plans of a kind. When the file lacks `RemindList`, the lists are
// looked up under the root; when it lacks the list itself, its parent serves as the list.
const CTessvarXmlParse& GetDatePlanList(const CTessvarXmlParse& root);
const CTessvarXmlParse& GetWeeklyPlanList(const CTessvarXmlParse& root);
const CTessvarXmlParse& GetPlanList(const CTessvarXmlParse& root, RemindPlanKind kind);
CTessvarXmlParse& GetPlanList(CTessvarXmlParse& root, RemindPlanKind kind);

// The plan of child `index` of `list`, whatever the child's element name; missing attributes
// and words such as "Any" read as 0. Empty when the list has no child at that index.
std::optional<RemindPlan> ReadRemindPlan(const CTessvarXmlParse& list, int index,
                                         RemindPlanKind kind);

// Every plan of the tree: the date plans in file order, then the weekly plans in file order.
std::vector<RemindPlan> ReadRemindPlans(const CTessvarXmlParse& root);

}  // namespace veltaro
