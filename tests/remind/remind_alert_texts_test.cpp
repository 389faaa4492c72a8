#include "remind/remind_alert_texts.h"

#include <gtest/gtest.h>

namespace veltaro {
namespace {

constexpr int kChinese = 4;
constexpr int kEnglish = 9;

TEST(AlertTexts, LinesInBothLanguages) {
    constexpr LocalDate today{2006, 12, 16};
    EXPECT_EQ(AlertDateLine(today, kChinese), "日期:2006/12/16\t农历:2006/10/26");
    EXPECT_EQ(AlertDateLine(today, kEnglish), "Date:2006/12/16\tLunar calendar:2006/10/26");
    // Outside the lunar table's span nothing is read past it.
    EXPECT_EQ(AlertDateLine({2150, 1, 2}, kEnglish), "Date:2150/01/02\tLunar calendar:00/00/00");

    constexpr LocalDateTime due{2006, 12, 16, 20, 36, 25};
    EXPECT_EQ(AlertTimeLine(due, kEnglish), "Time:20:36:25");
    EXPECT_EQ(AlertTimeLine(due, kChinese), "时间:20:36:25");

    const struct {
        int action;
        int language;
        const char* line;
    } actions[] = {
        {1, kEnglish, "Action: Remind"},  {1, kChinese, "功能: 提醒"},
        {7, kEnglish, "Action: Restore"}, {7, kChinese, "功能: 恢复"},
        {0, kEnglish, "Action: "},        {12, kEnglish, "Action: ?"},
    };
    for (const auto& c : actions) {
        SCOPED_TRACE(c.action);
        EXPECT_EQ(AlertActionLine(c.action, c.language), c.line);
    }
    EXPECT_EQ(AlertExecuteCaption(30, kEnglish), "Execute(30)");
    EXPECT_EQ(AlertExecuteCaption(-1, kChinese), "执行(-1)");
}

TEST(AlertCountdown, ShowsThirtyFirstAndEndsOnTheTickThatShowsMinusOne) {
    AlertCountdown countdown;
    std::vector<int> shown;
    while (!countdown.Expired()) {
        shown.push_back(countdown.Tick());
    }
    ASSERT_EQ(shown.size(), 32u);
    EXPECT_EQ(shown.front(), 30);
    EXPECT_EQ(shown[30], 0);
    EXPECT_EQ(shown.back(), -1);
}

}  // namespace
}  // namespace veltaro
