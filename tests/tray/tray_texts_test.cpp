#include "tray/tray_texts.h"

#include <gtest/gtest.h>

namespace veltaro {
namespace {

std::tm At(int year, int month, int day, int hour, int minute, int weekday) {
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_wday = weekday;
    return local;
}

TEST(TrayTexts, ToolTipByLanguage) {
    const struct {
        std::tm local;
        int language;
        const char* expected;
    } cases[] = {
        {At(2026, 3, 14, 8, 5, 6), 9, "Veltaro 6.0\nLocal Time: 2026/03/14 08:05 Saturday..."},
        {At(2026, 3, 14, 8, 5, 6), 7, "Veltaro 6.0\nLocal Time: 2026/03/14 08:05 Saturday..."},
        {At(2026, 3, 15, 23, 59, 0), 4, "Veltaro 6.0\n本地时间: 2026/03/15 23:59 星期日..."},
        {At(1999, 12, 31, 0, 0, 5), 4, "Veltaro 6.0\n本地时间: 1999/12/31 00:00 星期五..."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TrayToolTip(c.local, c.language), c.expected);
    }
}

TEST(TrayTexts, ChimeKeepsTheTwentyFourHourClockAndTrailingBlanks) {
    EXPECT_EQ(ChimeText(3, 9), "Remind on the hour: Local Time 03:00...  ");
    EXPECT_EQ(ChimeText(15, 9), "Remind on the hour: Local Time 15:00...  ");
    EXPECT_EQ(ChimeText(0, 4), "整点报时: 当地时间 00:00...  ");
}

}  // namespace
}  // namespace veltaro
