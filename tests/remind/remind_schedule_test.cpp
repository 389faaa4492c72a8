#include "remind/remind_schedule.h"

#include <gtest/gtest.h>

#include "remind/remind_file.h"
#include "remind/remind_test_support.h"

namespace veltaro {

void PrintTo(const LocalDateTime& time, std::ostream* out) {
    *out << time.year << '-' << time.month << '-' << time.day << ' ' << time.hour << ':'
         << time.minute << ':' << time.second;
}

namespace {

using remind_test::PlanFileText;
using remind_test::TreeOf;

// 2008-06-04 was a Wednesday.
constexpr LocalDateTime kNow{2008, 6, 4, 10, 0, 0};

TEST(BuildRemindSchedule, GivesEveryPlanOneOccurrenceSortedByTime) {
    const auto root = TreeOf(PlanFileText(
        R"(<Item Year="Any" Month="Any" Day="15" Action="2" Hour="9">fifteenth</Item>)"
        R"(<Item Lunar="1" Year="任意" Month="8" Day="15" Action="1" Hour="20">moon</Item>)"
        R"(<Item Year="2008" Month="6" Day="4" Action="3" Hour="10" Second="1">soon</Item>)"
        R"(<Item Year="2100" Lunar="1" Month="1" Day="1" Action="1">no lunar date</Item>)",
        R"(<Item Weekly="0" Action="4" Hour="7" Minute="5" Second="30">no weekday</Item>)"
        R"(<Item Weekly="4" Action="5" Hour="10">Wednesday</Item>)"
        R"(<Item Weekly="4" Action="6" Hour="9" Minute="59" Second="59">earlier</Item>)"
        R"(<Item Weekly="34" Action="7" Hour="6">Saturday</Item>)"));

    struct Expected {
        LocalDateTime time;
        int action;
        std::string_view message;
    };
    const Expected expected[] = {
        {{0, 0, 0, 0, 0, 0}, 1, "no lunar date"}, {{0, 0, 0, 7, 5, 30}, 4, "no weekday"},
        {{2008, 6, 4, 9, 59, 59}, 6, "earlier"},  {{2008, 6, 4, 10, 0, 0}, 5, "Wednesday"},
        {{2008, 6, 4, 10, 0, 1}, 3, "soon"},      {{2008, 6, 7, 6, 0, 0}, 7, "Saturday"},
        {{2008, 6, 15, 9, 0, 0}, 2, "fifteenth"}, {{2008, 9, 14, 20, 0, 0}, 1, "moon"},
    };
    const RemindSchedule schedule = BuildRemindSchedule(*root, kNow);
    ASSERT_EQ(schedule.size(), std::size(expected));
    for (std::size_t i = 0; i < schedule.size(); ++i) {
        SCOPED_TRACE(expected[i].message);
        EXPECT_EQ(schedule[i].time, expected[i].time);
        EXPECT_EQ(schedule[i].action, expected[i].action);
        ASSERT_NE(schedule[i].plan, nullptr);
        EXPECT_EQ(schedule[i].plan->GetText(), expected[i].message);
    }
}

TEST(BuildRemindSchedule, KeepsPlansAtTheSameTimeNextToEachOther) {
    const auto root = TreeOf(PlanFileText(R"(<Item Day="20" Hour="8">a</Item>)"
                                          R"(<Item Day="5" Hour="8">early</Item>)"
                                          R"(<Item Day="20" Hour="8">b</Item>)",
                                          R"(<Item Weekly="127" Hour="23">w</Item>)"));
    const RemindSchedule schedule = BuildRemindSchedule(*root, kNow);
    ASSERT_EQ(schedule.size(), 4u);
    EXPECT_EQ(schedule[0].plan->GetText(), "w");
    EXPECT_EQ(schedule[1].plan->GetText(), "early");
    EXPECT_EQ(schedule[2].time, schedule[3].time);
    EXPECT_EQ(schedule[2].plan->GetText() + schedule[3].plan->GetText(), "ab");
}

TEST(BuildRemindSchedule, IsEmptyForAFileWithoutPlans) {
    EXPECT_TRUE(BuildRemindSchedule(*TreeOf(kDefaultRemindText), kNow).empty());
}

TEST(NextDayStart, IsMidnightOfTheFollowingDayAcrossMonthsYearsAndLeapDays) {
    EXPECT_EQ(NextDayStart(kNow), (LocalDateTime{2008, 6, 5, 0, 0, 0}));
    EXPECT_EQ(NextDayStart({2008, 6, 30, 0, 0, 0}), (LocalDateTime{2008, 7, 1, 0, 0, 0}));
    EXPECT_EQ(NextDayStart({2006, 12, 31, 23, 59, 59}), (LocalDateTime{2007, 1, 1, 0, 0, 0}));
    EXPECT_EQ(NextDayStart({2012, 2, 28, 12, 0, 0}), (LocalDateTime{2012, 2, 29, 0, 0, 0}));
    EXPECT_EQ(NextDayStart({2009, 2, 28, 12, 0, 0}), (LocalDateTime{2009, 3, 1, 0, 0, 0}));
}

TEST(IsOccurrenceArmed, ArmsWhatIsStillToComeOnTheCalendar) {
    struct Case {
        std::string_view name;
        LocalDateTime time;
        bool armed;
    };
    const Case cases[] = {
        {"now to the second", kNow, true},
        {"one second before", {2008, 6, 4, 9, 59, 59}, false},
        {"one second after", {2008, 6, 4, 10, 0, 1}, true},
        {"a minute before, a later second", {2008, 6, 4, 9, 59, 30}, false},
        {"a later year with an earlier month", {2009, 1, 1, 0, 0, 0}, true},
        {"an earlier year with a later month", {2007, 12, 31, 23, 59, 59}, false},
        {"no date", {0, 0, 0, 7, 5, 30}, false},
        {"30 February", {2009, 2, 30, 8, 0, 0}, false},
        {"29 February of a leap year", {2012, 2, 29, 8, 0, 0}, true},
        {"29 February of a common year", {2009, 2, 29, 8, 0, 0}, false},
        {"day 31 of a 30-day month", {2008, 6, 31, 8, 0, 0}, false},
        {"month 13", {2008, 13, 1, 8, 0, 0}, false},
        {"hour 24", {2008, 6, 5, 24, 0, 0}, false},
        {"hour 25", {2008, 6, 5, 25, 0, 0}, false},
        {"minute 60", {2008, 6, 5, 8, 60, 0}, false},
        {"second 60", {2008, 6, 5, 8, 0, 60}, false},
        {"a negative minute", {2008, 6, 5, 8, -1, 0}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(IsOccurrenceArmed({nullptr, c.time, 1}, kNow), c.armed);
    }
}

}  // namespace
}  // namespace veltaro
