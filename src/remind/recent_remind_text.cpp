#include "remind/recent_remind_text.h"

#include <array>
#include <cstdio>
#include <string_view>

#include "platform/interface_language.h"
#include "remind/occurrence_date.h"

namespace veltaro {
namespace {

// Monday first; each name is padded so that the times line up in the column.
constexpr std::array<std::string_view, 7> kChineseWeekdayNames = {
    "星期一    ", "星期二    ", "星期三    ", "星期四    ",
    "星期五    ", "星期六    ", "星期日    ",
};
constexpr std::array<std::string_view, 7> kEnglishWeekdayNames = {
    "Monday    ", "Tuesday   ", "Wednesday ", "Thursday  ",
    "Friday    ", "Saturday  ", "Sunday    ",
};

// Both buffers hold every field at the full range of int.
std::string TimeOfDayText(const RemindPlan& plan) {
    char text[48];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", plan.hour, plan.minute, plan.second);
    return text;
}

std::string DateText(const LocalDate& date) {
    char text[48];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d", date.year, date.month, date.day);
    return text;
}

RecentRemindTexts DatePlanTexts(const RemindPlan& plan, const LocalDate& today) {
    const LocalDate date = PlanOccurrenceDate(plan, today);
    RecentRemindTexts texts{DateText(date) + ' ' + TimeOfDayText(plan), ""};
    if (date == LocalDate{}) {
        return texts;
    }
    // A day count to 31 February would promise an alert that never comes.
    const bool exists =
        IsExistingDateTime({date.year, date.month, date.day, plan.hour, plan.minute, plan.second});
    texts.diffDays = exists ? std::to_string(DaysBetween(today, date)) : std::string(kNeverDue);
    return texts;
}

RecentRemindTexts WeeklyPlanTexts(const RemindPlan& plan, int language, const LocalDate& today) {
    const bool chinese = ShowsChineseTexts(language);
    const std::optional<int> ahead = DaysToWeeklyDate(today, plan.weekdays);
    if (!ahead) {
        return {std::string(chinese ? "无指定星期 " : "No Week ") + TimeOfDayText(plan), ""};
    }
    const auto& names = chinese ? kChineseWeekdayNames : kEnglishWeekdayNames;
    const int weekday = IsoWeekday(AddDays(today, *ahead));
    return {std::string(names[static_cast<std::size_t>(weekday - 1)]) + ' ' + TimeOfDayText(plan),
            std::to_string(*ahead)};
}

}  // namespace

RecentRemindTexts RecentRemindText(const RemindPlan& plan, int language, const LocalDateTime& now) {
    const LocalDate today = DateOf(now);
    return plan.kind == RemindPlanKind::Date ? DatePlanTexts(plan, today)
                                             : WeeklyPlanTexts(plan, language, today);
}

}  // namespace veltaro
