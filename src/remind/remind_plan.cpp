#include "remind/remind_plan.h"

#include <utility>

#include "remind/remind_plan_names.h"

namespace veltaro {
namespace {

int IntAttribute(const CTessvarXmlParse& item, std::string_view name) {
    return item.GetAttributeInt(name, 0);
}

void ReadDateFields(const CTessvarXmlParse& item, RemindPlan& plan) {
    plan.year = IntAttribute(item, kYearAttribute);
    plan.month = IntAttribute(item, kMonthAttribute);
    plan.day = IntAttribute(item, kDayAttribute);
    plan.lunar = IntAttribute(item, kLunarAttribute) != 0;
}

void AppendPlansOf(const CTessvarXmlParse& root, RemindPlanKind kind,
                   std::vector<RemindPlan>& plans) {
    const CTessvarXmlParse& list = GetPlanList(root, kind);
    for (int index = 0; index < list.GetChildCount(); ++index) {
        plans.push_back(*ReadRemindPlan(list, index, kind));
    }
}

}  // namespace

const CTessvarXmlParse& GetPlanList(const CTessvarXmlParse& root, RemindPlanKind kind) {
    return root.GetChild(kRemindListElement).GetChild(PlanListElement(kind));
}

CTessvarXmlParse& GetPlanList(CTessvarXmlParse& root, RemindPlanKind kind) {
    return const_cast<CTessvarXmlParse&>(GetPlanList(std::as_const(root), kind));
}

const CTessvarXmlParse& GetDatePlanList(const CTessvarXmlParse& root) {
    return GetPlanList(root, RemindPlanKind::Date);
}

const CTessvarXmlParse& GetWeeklyPlanList(const CTessvarXmlParse& root) {
    return GetPlanList(root, RemindPlanKind::Weekly);
}

std::optional<RemindPlan> ReadRemindPlan(const CTessvarXmlParse& list, int index,
                                         RemindPlanKind kind) {
    // Out of range, GetChildAt would hand back the list itself and its attributes would pass for
    // a plan.
    if (index < 0 || index >= list.GetChildCount()) {
        return std::nullopt;
    }
    const CTessvarXmlParse& item = list.GetChildAt(index);
    RemindPlan plan;
    plan.kind = kind;
    plan.index = index;
    if (kind == RemindPlanKind::Date) {
        ReadDateFields(item, plan);
    } else {
        plan.weekdays = IntAttribute(item, kWeeklyAttribute);
    }
    plan.action = IntAttribute(item, kActionAttribute);
    plan.hour = IntAttribute(item, kHourAttribute);
    plan.minute = IntAttribute(item, kMinuteAttribute);
    plan.second = IntAttribute(item, kSecondAttribute);
    plan.message = item.GetText();
    plan.node = &item;
    return plan;
}

std::vector<RemindPlan> ReadRemindPlans(const CTessvarXmlParse& root) {
    std::vector<RemindPlan> plans;
    AppendPlansOf(root, RemindPlanKind::Date, plans);
    AppendPlansOf(root, RemindPlanKind::Weekly, plans);
    return plans;
}

}  // namespace veltaro
