#include <gtest/gtest.h>

#include <string>

#include "calendar/calendar.h"

namespace veltaro {
namespace {

struct NameCase {
    int number;
    std::string name;
};

TEST(LunarDayName, NamesDaysOneToThirty) {
    const NameCase cases[] = {
        {1, "初一"},
        {9, "初九"},
        {10, "初十"},
        {11, "十一"},
        {19, "十九"},
        {20, "廿十"},
        {21, "廿一"},
        {26, "廿六"},
        {29, "廿九"},
        {30, "三十"},
        // No such day.
        {31, ""},
        {0, ""},
        {-1, ""},
        {1000, ""},
    };
    const CCalendar calendar;
    for (const NameCase& c : cases) {
        EXPECT_EQ(calendar.LunarDayName(c.number), c.name) << c.number;
    }
}

TEST(LunarMonthName, NamesMonthsWithTheLeapPrefix) {
    struct MonthCase {
        int month;
        bool leap;
        std::string name;
    };
    const MonthCase cases[] = {
        {1, false, "正月"},
        {2, false, "二月"},
        {4, true, "闰四月"},
        {10, false, "十月"},
        {11, false, "十一月"},
        {11, true, "闰十一月"},
        {12, false, "十二月"},
        // No such month, leap or not.
        {0, false, ""},
        {13, false, ""},
        {13, true, ""},
        {-4, true, ""},
    };
    const CCalendar calendar;
    for (const MonthCase& c : cases) {
        EXPECT_EQ(calendar.LunarMonthName(c.month, c.leap), c.name) << c.month << ' ' << c.leap;
    }
}

TEST(SolarTermName, NamesTheTwentyFourTerms) {
    const NameCase cases[] = {
        {0, "小寒"},
        {1, "大寒"},
        {2, "立春"},
        {3, "雨水"},
        {4, "惊蛰"},
        {5, "春分"},
        {6, "清明"},
        {7, "谷雨"},
        {8, "立夏"},
        {9, "小满"},
        {10, "芒种"},
        {11, "夏至"},
        {12, "小暑"},
        {13, "大暑"},
        {14, "立秋"},
        {15, "处暑"},
        {16, "白露"},
        {17, "秋分"},
        {18, "寒露"},
        {19, "霜降"},
        {20, "立冬"},
        {21, "小雪"},
        {22, "大雪"},
        {23, "冬至"},
        // No such term.
        {24, ""},
        {-1, ""},
    };
    const CCalendar calendar;
    for (const NameCase& c : cases) {
        EXPECT_EQ(calendar.SolarTermName(c.number), c.name) << c.number;
    }
}

}  // namespace
}  // namespace veltaro
