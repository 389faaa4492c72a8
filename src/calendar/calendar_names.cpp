#include <array>
#include <string_view>

#include "calendar/calendar.h"

namespace veltaro {

namespace {

constexpr std::array<std::string_view, 30> kLunarDayNames = {
    "初一", "初二", "初三", "初四", "初五", "初六", "初七", "初八", "初九", "初十",
    "十一", "十二", "十三", "十四", "十五", "十六", "十七", "十八", "十九", "廿十",
    "廿一", "廿二", "廿三", "廿四", "廿五", "廿六", "廿七", "廿八", "廿九", "三十",
};

constexpr std::array<std::string_view, 12> kLunarMonthNames = {
    "正月", "二月", "三月", "四月", "五月",   "六月",
    "七月", "八月", "九月", "十月", "十一月", "十二月",
};

constexpr std::string_view kLeapPrefix = "闰";

}  // namespace

std::string CCalendar::LunarDayName(int day) const {
    if (day < 1 || day > static_cast<int>(kLunarDayNames.size())) {
        return {};
    }
    return std::string(kLunarDayNames[static_cast<std::size_t>(day - 1)]);
}

std::string CCalendar::LunarMonthName(int month, bool leap) const {
    if (month < 1 || month > static_cast<int>(kLunarMonthNames.size())) {
        return {};
    }
    std::string name(leap ? kLeapPrefix : std::string_view{});
    name += kLunarMonthNames[static_cast<std::size_t>(month - 1)];
    return name;
}

}  // namespace veltaro
