#include "remind/remind_schedule.h"

#include <algorithm>

#include "remind/occurrence_date.h"
#include "remind/remind_plan.h"

namespace veltaro {
namespace {

RemindOccurrence OccurrenceOf(const RemindPlan& plan, const LocalDate& today) {
    const LocalDate date = PlanOccurrenceDate(plan, today);
    return {plan.node,
            {date.year, date.month, date.day, plan.hour, plan.minute, plan.second},
            plan.action};
}

}  // namespace

RemindSchedule BuildRemindSchedule(const CTessvarXmlParse& root, const LocalDateTime& now) {
    const LocalDate today = DateOf(now);
    RemindSchedule schedule;
    for (const RemindPlan& plan : ReadRemindPlans(root)) {
        schedule.push_back(OccurrenceOf(plan, today));
    }
    std::stable_sort(schedule.begin(), schedule.end(),
                     [](const RemindOccurrence& left, const RemindOccurrence& right) {
                         return left.time < right.time;
                     });
    return schedule;
}

LocalDateTime NextDayStart(const LocalDateTime& now) {
    const LocalDate next = AddDays(DateOf(now), 1);
    return {next.year, next.month, next.day, 0, 0, 0};
}

bool IsOccurrenceArmed(const RemindOccurrence& occurrence, const LocalDateTime& now) {
    return occurrence.time >= now && IsExistingDateTime(occurrence.time);
}

}  // namespace veltaro
