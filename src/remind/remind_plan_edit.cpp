#include "remind/remind_plan_edit.h"

#include "remind/remind_plan_names.h"
#include "xml/xml_text.h"

namespace veltaro {
namespace {

// What both kinds of plan store after their own fields.
struct PlanTail {
    int action;
    int hour;
    int minute;
    int second;
    std::string_view message;
};

bool HasOrGetsChild(CTessvarXmlParse& parent, std::string_view name) {
    return parent.FindChild(name) != nullptr || parent.AddChild(name) >= 0;
}

// The list a new plan goes into. Missing lists are created, both of them, rather than letting
// the parent stand in for them: there the new plan would also pass for a plan of the other kind,
// and a created list element would pass for a plan of the list still missing.
CTessvarXmlParse* ListToAppendTo(CTessvarXmlParse& root, RemindPlanKind kind) {
    CTessvarXmlParse& parent = root.GetChild(kRemindListElement);
    if (!HasOrGetsChild(parent, kDatePlanListElement) ||
        !HasOrGetsChild(parent, kWeeklyPlanListElement)) {
        return nullptr;
    }
    return parent.FindChild(PlanListElement(kind));
}

// The new, empty `Item`, or null. An index outside the children would make GetChildAt hand
// back the list itself, and the plan's values would land on the list element.
CTessvarXmlParse* NewPlanItem(CTessvarXmlParse* list) {
    if (list == nullptr) {
        return nullptr;
    }
    const int index = list->AddChild(kPlanElement);
    return index >= 0 && index < list->GetChildCount() ? &list->GetChildAt(index) : nullptr;
}

bool WriteTail(CTessvarXmlParse& item, const PlanTail& tail) {
    return item.SetAttributeInt(kActionAttribute, tail.action) &&
           item.SetAttribute(kIdAttribute, "0") &&
           item.SetAttributeInt(kHourAttribute, tail.hour) &&
           item.SetAttributeInt(kMinuteAttribute, tail.minute) &&
           item.SetAttributeInt(kSecondAttribute, tail.second) && item.SetText(tail.message);
}

// A half-written plan would come back from the file as a plan the user never made.
bool KeepIfWritten(CTessvarXmlParse& list, CTessvarXmlParse& item, bool written) {
    if (!written) {
        list.RemoveChild(&item);
    }
    return written;
}

bool IsListElement(const CTessvarXmlParse& node) {
    const std::string name = node.GetName();
    return EqualsIgnoringAsciiCase(name, kRemindListElement) ||
           EqualsIgnoringAsciiCase(name, kDatePlanListElement) ||
           EqualsIgnoringAsciiCase(name, kWeeklyPlanListElement);
}

}  // namespace

bool DatePlanListFull(const CTessvarXmlParse& root) {
    return GetDatePlanList(root).GetChildCount() >= kDatePlanLimit;
}

bool AppendDatePlan(CTessvarXmlParse& root, std::string_view yearText, std::string_view monthText,
                    std::string_view dayText, bool lunar, int action, int hour, int minute,
                    int second, std::string_view message) {
    CTessvarXmlParse* list = ListToAppendTo(root, RemindPlanKind::Date);
    CTessvarXmlParse* item = NewPlanItem(list);
    if (item == nullptr) {
        return false;
    }
    const bool written = item->SetAttributeInt(kLunarAttribute, lunar ? 1 : 0) &&
                         item->SetAttribute(kYearAttribute, yearText) &&
                         item->SetAttribute(kMonthAttribute, monthText) &&
                         item->SetAttribute(kDayAttribute, dayText) &&
                         WriteTail(*item, {action, hour, minute, second, message});
    return KeepIfWritten(*list, *item, written);
}

bool AppendWeeklyPlan(CTessvarXmlParse& root, int weekdays, int action, int hour, int minute,
                      int second, std::string_view message) {
    CTessvarXmlParse* list = ListToAppendTo(root, RemindPlanKind::Weekly);
    CTessvarXmlParse* item = NewPlanItem(list);
    if (item == nullptr) {
        return false;
    }
    const bool written = item->SetAttributeInt(kWeeklyAttribute, weekdays) &&
                         WriteTail(*item, {action, hour, minute, second, message});
    return KeepIfWritten(*list, *item, written);
}

bool DeleteRemindPlan(CTessvarXmlParse& root, RemindPlanKind kind, int index) {
    CTessvarXmlParse& list = GetPlanList(root, kind);
    if (index < 0 || index >= list.GetChildCount()) {
        return false;
    }
    const CTessvarXmlParse& plan = list.GetChildAt(index);
    return !IsListElement(plan) && list.RemoveChild(&plan) == kXmlOk;
}

}  // namespace veltaro
