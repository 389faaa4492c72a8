#pragma once

#include <string_view>

#include "remind/remind_plan.h"

namespace veltaro {

// The element and attribute names of the plan file.
inline constexpr std::string_view kRemindListElement = "RemindList";
inline constexpr std::string_view kDatePlanListElement = "DateType";
inline constexpr std::string_view kWeeklyPlanListElement = "WeeklyType";
inline constexpr std::string_view kPlanElement = "Item";

constexpr std::string_view PlanListElement(RemindPlanKind kind) {
    return kind == RemindPlanKind::Date ? kDatePlanListElement : kWeeklyPlanListElement;
}

inline constexpr std::string_view kLunarAttribute = "Lunar";
inline constexpr std::string_view kYearAttribute = "Year";
inline constexpr std::string_view kMonthAttribute = "Month";
inline constexpr std::string_view kDayAttribute = "Day";
inline constexpr std::string_view kWeeklyAttribute = "Weekly";
inline constexpr std::string_view kActionAttribute = "Action";
inline constexpr std::string_view kIdAttribute = "ID";
inline constexpr std::string_view kHourAttribute = "Hour";
inline constexpr std::string_view kMinuteAttribute = "Minute";
inline constexpr std::string_view kSecondAttribute = "Second";

}  // namespace veltaro
