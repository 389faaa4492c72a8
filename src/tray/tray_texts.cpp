#include "tray/tray_texts.h"

#include <cstdio>

#include "platform/interface_language.h"

namespace veltaro {
namespace {

constexpr const char* kEnglishWeekdays[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                             "Thursday", "Friday", "Saturday"};
constexpr const char* kChineseWeekdays[7] = {"星期日", "星期一", "星期二", "星期三",
                                             "星期四", "星期五", "星期六"};

}  // namespace

std::string TrayToolTip(const std::tm& local, int language) {
    const bool chinese = ShowsChineseTexts(language);
    const int weekday = ((local.tm_wday % 7) + 7) % 7;
    char text[256];
    std::snprintf(text, sizeof text,
                  chinese ? "Veltaro 6.0\n本地时间: %04d/%02d/%02d %02d:%02d %s..."
                          : "Veltaro 6.0\nLocal Time: %04d/%02d/%02d %02d:%02d %s...",
                  local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                  local.tm_min, chinese ? kChineseWeekdays[weekday] : kEnglishWeekdays[weekday]);
    return text;
}

std::string ChimeText(int hour, int language) {
    char text[128];
    std::snprintf(text, sizeof text,
                  ShowsChineseTexts(language) ? "整点报时: 当地时间 %02d:00...  "
                                              : "Remind on the hour: Local Time %02d:00...  ",
                  hour);
    return text;
}

}  // namespace veltaro
