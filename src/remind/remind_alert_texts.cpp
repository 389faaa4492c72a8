#include "remind/remind_alert_texts.h"

#include <cstdio>

#include "calendar/calendar.h"
#include "platform/interface_language.h"
#include "remind/power_action.h"

namespace veltaro {

std::string AlertDateLine(const LocalDate& today, int language) {
    const LunarDate lunar =
        CCalendar().SolarToLunar(today.year, today.month, today.day).value_or(LunarDate{});
    // Wide enough for every field at the full range of int.
    char text[160];
    std::snprintf(text, sizeof text,
                  ShowsChineseTexts(language)
                      ? "日期:%02d/%02d/%02d\t农历:%02d/%02d/%02d"
                      : "Date:%02d/%02d/%02d\tLunar calendar:%02d/%02d/%02d",
                  today.year, today.month, today.day, lunar.year, lunar.month, lunar.day);
    return text;
}

std::string AlertTimeLine(const LocalDateTime& occurrence, int language) {
    char text[80];
    std::snprintf(text, sizeof text,
                  ShowsChineseTexts(language) ? "时间:%02d:%02d:%02d" : "Time:%02d:%02d:%02d",
                  occurrence.hour, occurrence.minute, occurrence.second);
    return text;
}

std::string AlertActionLine(int action, int language) {
    return (ShowsChineseTexts(language) ? "功能: " : "Action: ") +
           PowerActionAlertName(action, language);
}

std::string AlertExecuteCaption(int count, int language) {
    return (ShowsChineseTexts(language) ? "执行(" : "Execute(") + std::to_string(count) + ')';
}

}  // namespace veltaro
