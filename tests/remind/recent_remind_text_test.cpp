#include "remind/recent_remind_text.h"

#include <gtest/gtest.h>

#include "remind/power_action.h"

namespace veltaro {
namespace {

constexpr int kChinese = 4;
constexpr int kEnglish = 9;

RemindPlan DatePlan(int year, int month, int day, bool lunar, int hour, int minute, int second) {
    RemindPlan plan;
    plan.year = year;
    plan.month = month;
    plan.day = day;
    plan.lunar = lunar;
    plan.hour = hour;
    plan.minute = minute;
    plan.second = second;
    return plan;
}

RemindPlan WeeklyPlan(int weekdays, int hour, int minute, int second) {
    RemindPlan plan;
    plan.kind = RemindPlanKind::Weekly;
    plan.weekdays = weekdays;
    plan.hour = hour;
    plan.minute = minute;
    plan.second = second;
    return plan;
}

struct TextCase {
    std::string_view name;
    RemindPlan plan;
    int language;
    LocalDateTime now;
    std::string_view recentRemind;
    std::string_view diffDays;
};

TEST(RecentRemindText, ShowsADatePlansOccurrenceAndTheDaysToIt) {
    const TextCase cases[] = {
        {"ahead",
         DatePlan(0, 0, 15, false, 9, 0, 0),
         kEnglish,
         {2008, 6, 1, 12, 0, 0},
         "2008/06/15 09:00:00",
         "14"},
        {"past",
         DatePlan(0, 0, 15, false, 9, 0, 0),
         kChinese,
         {2008, 6, 20, 12, 0, 0},
         "2008/06/15 09:00:00",
         "-5"},
        {"today, whatever the time",
         DatePlan(2008, 0, 0, false, 8, 0, 0),
         kEnglish,
         {2008, 3, 10, 9, 0, 0},
         "2008/03/10 08:00:00",
         "0"},
        {"lunar",
         DatePlan(0, 8, 15, true, 20, 0, 0),
         kChinese,
         {2008, 6, 1, 0, 0, 0},
         "2008/09/14 20:00:00",
         "105"},
        // Saved as written, but never due: the row says so instead of counting days to it.
        {"hand-edited values the calendar lacks",
         DatePlan(2008, 13, 40, false, 25, 61, 0),
         kEnglish,
         {2008, 6, 1, 0, 0, 0},
         "2008/13/40 25:61:00",
         "never"},
        {"31 February, in Chinese too",
         DatePlan(0, 2, 31, false, 9, 0, 0),
         kChinese,
         {2008, 1, 10, 0, 0, 0},
         "2008/02/31 09:00:00",
         "never"},
        {"an hour the day lacks",
         DatePlan(2008, 6, 2, false, 24, 0, 0),
         kEnglish,
         {2008, 6, 1, 0, 0, 0},
         "2008/06/02 24:00:00",
         "never"},
        {"29 February of a leap year exists",
         DatePlan(2008, 2, 29, false, 9, 0, 0),
         kEnglish,
         {2008, 2, 1, 0, 0, 0},
         "2008/02/29 09:00:00",
         "28"},
        // 64000 years are 160 cycles of 146097 days; beyond 65535 a 16-bit year would wrap.
        {"a year beyond 16 bits",
         DatePlan(66008, 6, 1, false, 0, 0, 0),
         kEnglish,
         {2008, 6, 1, 0, 0, 0},
         "66008/06/01 00:00:00",
         "23375520"},
        {"a lunar year the calendar lacks",
         DatePlan(2100, 1, 1, true, 7, 0, 0),
         kEnglish,
         {2008, 6, 1, 0, 0, 0},
         "0000/00/00 07:00:00",
         ""},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.name);
        const RecentRemindTexts texts = RecentRemindText(c.plan, c.language, c.now);
        EXPECT_EQ(texts.recentRemind, c.recentRemind);
        EXPECT_EQ(texts.diffDays, c.diffDays);
    }
}

TEST(RecentRemindText, ShowsAWeeklyPlansNextWeekdayFromToday) {
    // 2008-06-04 was a Wednesday.
    constexpr LocalDateTime wednesday{2008, 6, 4, 23, 0, 0};
    const TextCase cases[] = {
        {"Monday and Friday", WeeklyPlan(kMondayBit | kFridayBit, 7, 5, 30), kEnglish, wednesday,
         "Friday     07:05:30", "2"},
        {"Monday and Friday in Chinese", WeeklyPlan(kMondayBit | kFridayBit, 7, 5, 30), kChinese,
         wednesday, "星期五     07:05:30", "2"},
        {"today, its time passed", WeeklyPlan(kWednesdayBit | kMondayBit, 7, 0, 0), kEnglish,
         wednesday, "Wednesday  07:00:00", "0"},
        {"today in Chinese", WeeklyPlan(kWednesdayBit, 7, 0, 0), kChinese, wednesday,
         "星期三     07:00:00", "0"},
        {"Monday only", WeeklyPlan(kMondayBit, 7, 0, 0), kEnglish, wednesday, "Monday     07:00:00",
         "5"},
        {"Tuesday, six days on", WeeklyPlan(kTuesdayBit, 7, 0, 0), kEnglish, wednesday,
         "Tuesday    07:00:00", "6"},
        {"Sunday on a Sunday",
         WeeklyPlan(kSundayBit, 7, 0, 0),
         kChinese,
         {2008, 6, 8, 0, 0, 0},
         "星期日     07:00:00",
         "0"},
        {"Sunday on a Monday",
         WeeklyPlan(kSundayBit, 7, 0, 0),
         kEnglish,
         {2008, 6, 2, 0, 0, 0},
         "Sunday     07:00:00",
         "6"},
        {"Thursday in Chinese", WeeklyPlan(kThursdayBit, 7, 0, 0), kChinese, wednesday,
         "星期四     07:00:00", "1"},
        {"Saturday", WeeklyPlan(kSaturdayBit, 7, 0, 0), kEnglish, wednesday, "Saturday   07:00:00",
         "3"},
        {"no weekday", WeeklyPlan(0, 7, 5, 30), kEnglish, wednesday, "No Week 07:05:30", ""},
        {"no weekday in Chinese", WeeklyPlan(0, 7, 5, 30), kChinese, wednesday,
         "无指定星期 07:05:30", ""},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.name);
        const RecentRemindTexts texts = RecentRemindText(c.plan, c.language, c.now);
        EXPECT_EQ(texts.recentRemind, c.recentRemind);
        EXPECT_EQ(texts.diffDays, c.diffDays);
    }
}

TEST(PowerActionNames, NameEveryCodeAndShowOthersAsAQuestionMark) {
    struct Case {
        int action;
        std::string_view englishEditor, chineseEditor, englishAlert, chineseAlert;
    };
    const Case cases[] = {
        {0, "", "", "", ""},
        {1, "Remind", "提醒", "Remind", "提醒"},
        {2, "Shutdown", "关机", "Shutdown", "关机"},
        {3, "Restart", "重启", "Restart", "重启"},
        {4, "Logoff", "注销", "Logoff", "注销"},
        {5, "Hibernate", "休眠", "Hibernate", "休眠"},
        {6, "Standby", "待机", "Standby", "待机"},
        {7, "Restore(PowerOn)", "恢复(开机)", "Restore", "恢复"},
        {8, "?", "?", "?", "?"},
        {-1, "?", "?", "?", "?"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.action);
        EXPECT_EQ(PowerActionEditorName(c.action, kEnglish), c.englishEditor);
        EXPECT_EQ(PowerActionEditorName(c.action, kChinese), c.chineseEditor);
        EXPECT_EQ(PowerActionAlertName(c.action, kEnglish), c.englishAlert);
        EXPECT_EQ(PowerActionAlertName(c.action, kChinese), c.chineseAlert);
    }
    // Any language other than Chinese gets the English names.
    EXPECT_EQ(PowerActionEditorName(1, 7), "Remind");
}

TEST(PowerActionNames, OnlyCodesTwoToSixHaveAPowerCommand) {
    const struct {
        int action;
        std::optional<PowerCommand> command;
    } cases[] = {
        {0, std::nullopt},          {1, std::nullopt},         {2, PowerCommand::Shutdown},
        {3, PowerCommand::Restart}, {4, PowerCommand::Logoff}, {5, PowerCommand::Hibernate},
        {6, PowerCommand::Standby}, {7, std::nullopt},         {8, std::nullopt},
        {-1, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.action);
        EXPECT_EQ(PowerCommandOfAction(c.action), c.command);
    }
}

}  // namespace
}  // namespace veltaro
