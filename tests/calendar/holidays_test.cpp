#include "calendar/holidays.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "calendar/calendar.h"
#include "calendar/gregorian.h"
#include "holiday_test_support.h"

namespace veltaro {

void PrintTo(const HolidayEntry& entry, std::ostream* out) {
    *out << '{' << entry.type << ", \"" << entry.name << "\", " << entry.id << '}';
}

namespace {

using holiday_test::kFixtureFile;
using holiday_test::kShippedFile;
using holiday_test::TreeFromFile;
using holiday_test::TreeFromText;

constexpr int kChinese = 4;
constexpr int kEnglish = 9;
constexpr int kGerman = 7;

std::vector<HolidayEntry> HolidaysOf(const CTessvarXmlParse& root, int year, int month, int day,
                                     int language) {
    std::vector<HolidayEntry> entries;
    const int count = HolidaysOfDate(root, year, month, day, language, entries);
    EXPECT_EQ(count, static_cast<int>(entries.size()));
    return entries;
}

struct LookupCase {
    const char* what;
    int year, month, day, language;
    std::vector<HolidayEntry> expected;
};

TEST(HolidaysOfDate, FindsTheFixturesHolidays) {
    const auto root = TreeFromFile(kFixtureFile);
    const LookupCase cases[] = {
        {"two on one day, in document order",
         2024,
         10,
         1,
         kChinese,
         {{1, "国庆节", 115}, {1, "国际音乐日", 31}}},
        {"English names",
         2024,
         10,
         1,
         kEnglish,
         {{1, "National Day", 115}, {1, "International Music Day", 31}}},
        {"any language but Chinese is English",
         2024,
         10,
         1,
         kGerman,
         {{1, "National Day", 115}, {1, "International Music Day", 31}}},
        {"no name in the language", 2024, 10, 2, kEnglish, {{1, "", 30}}},
        {"no Chinese name and no ID", 2024, 10, 3, kChinese, {{1, "", 0}}},
        {"a later group of the same month is ignored", 2024, 10, 4, kChinese, {}},
        {"a Day of 5th reads as 5", 2024, 10, 5, kChinese, {{1, "五日", 34}}},
        {"a group without Index matches no month", 2024, 10, 6, kChinese, {}},
        {"Gregorian first, then lunar",
         2020,
         10,
         1,
         kChinese,
         {{1, "国庆节", 115}, {1, "国际音乐日", 31}, {2, "中秋节", 207}}},
        {"lunar new year", 2024, 2, 10, kEnglish, {{2, "Spring Festival", 201}}},
        {"lunar month 4 day 10", 2020, 5, 2, kChinese, {{2, "四月初十", 50}}},
        {"the same day of the leap month 4", 2020, 6, 1, kChinese, {{2, "四月初十", 50}}},
        {"seven on one day",
         2024,
         6,
         10,
         kChinese,
         {{1, "甲", 41},
          {1, "乙", 42},
          {1, "丙", 43},
          {1, "丁", 44},
          {1, "戊", 45},
          {2, "端午节", 204},
          {2, "五月初五", 51}}},
        {"a plain day", 2024, 7, 3, kChinese, {}},
        // Outside the lunar table there is no lunar date, so only Gregorian holidays match.
        {"after the lunar table",
         2100,
         10,
         1,
         kChinese,
         {{1, "国庆节", 115}, {1, "国际音乐日", 31}}},
        {"before the lunar table",
         1899,
         10,
         1,
         kChinese,
         {{1, "国庆节", 115}, {1, "国际音乐日", 31}}},
        // Month and day 0 would match the entries that lack the attribute.
        {"month 0", 2024, 0, 6, kChinese, {}},
        {"day 0", 2024, 10, 0, kChinese, {}},
    };
    for (const LookupCase& c : cases) {
        EXPECT_EQ(HolidaysOf(*root, c.year, c.month, c.day, c.language), c.expected) << c.what;
    }
}

TEST(HolidaysOfDate, AppendsToTheCallersList) {
    const auto root = TreeFromFile(kFixtureFile);
    std::vector<HolidayEntry> entries = {{2, "earlier", 1}};
    EXPECT_EQ(HolidaysOfDate(*root, 2024, 10, 1, kChinese, entries), 3);
    EXPECT_EQ(entries.front(), (HolidayEntry{2, "earlier", 1}));
    EXPECT_EQ(entries.back(), (HolidayEntry{1, "国际音乐日", 31}));
}

TEST(HolidaysOfDate, FollowsTheFilesShape) {
    const struct {
        const char* what;
        const char* text;
        std::vector<HolidayEntry> onNationalDay;  // 2024-10-01
        std::vector<HolidayEntry> onNewYear;      // 2024-02-10, lunar 1-1
    } cases[] = {
        {"the empty default file", kDefaultHolidayFileText.data(), {}, {}},
        {"no Holiday level: the lists are looked for in the root",
         R"(<Quorvane><SolarHoliday><M Index="10"><H Day="1" Chinese="国庆节" ID="1"/></M>
            </SolarHoliday><LunarHoliday><M Index="1"><H Day="1" Chinese="春节" ID="2"/></M>
            </LunarHoliday></Quorvane>)",
         {{1, "国庆节", 1}},
         {{2, "春节", 2}}},
        {"no SolarHoliday list: the other lists carry no Index",
         R"(<Quorvane><Holiday><LunarHoliday><M Index="1"><H Day="1" Chinese="春节" ID="2"/></M>
            </LunarHoliday><MonthWeekly/></Holiday></Quorvane>)",
         {},
         {{2, "春节", 2}}},
        {"names compared ignoring case, group and holiday names free",
         R"(<quorvane><HOLIDAY><solarholiday><Whatever Index="10"><Thing Day="1" Chinese="国庆节"
            ID="3"/></Whatever></solarholiday></HOLIDAY></quorvane>)",
         {{1, "国庆节", 3}},
         {}},
    };
    for (const auto& c : cases) {
        const auto root = TreeFromText(c.text);
        EXPECT_EQ(HolidaysOf(*root, 2024, 10, 1, kChinese), c.onNationalDay) << c.what;
        EXPECT_EQ(HolidaysOf(*root, 2024, 2, 10, kChinese), c.onNewYear) << c.what;
    }
}

TEST(SolarHolidaysOfDay, GivesGregorianHolidaysWithChineseNames) {
    const auto root = TreeFromFile(kFixtureFile);
    std::vector<HolidayEntry> entries = {{1, "earlier", 1}};
    EXPECT_EQ(SolarHolidaysOfDay(*root, 10, 1, entries), 3);
    EXPECT_EQ(entries, (std::vector<HolidayEntry>{
                           {1, "earlier", 1}, {1, "国庆节", 115}, {1, "国际音乐日", 31}}));

    // Never from the lunar list, even for the numbers of its holidays (1-1 and 5-5).
    std::vector<HolidayEntry> none;
    EXPECT_EQ(SolarHolidaysOfDay(*root, 5, 5, none), 0);
    EXPECT_EQ(SolarHolidaysOfDay(*root, 1, 1, none), 0);
}

// The shipped file: every entry is complete and reachable, and the promised festivals are there.
class ShippedHolidayFile : public testing::Test {
protected:
    std::unique_ptr<CTessvarXmlParse> root_ = TreeFromFile(kShippedFile);
};

TEST_F(ShippedHolidayFile, YieldsSpringFestivalAndNationalDay) {
    EXPECT_EQ(HolidaysOf(*root_, 2024, 2, 10, kChinese),
              (std::vector<HolidayEntry>{{2, "春节", 201}}));
    EXPECT_EQ(HolidaysOf(*root_, 2024, 10, 1, kChinese),
              (std::vector<HolidayEntry>{{1, "国庆节", 115}}));
    EXPECT_EQ(HolidaysOf(*root_, 2024, 10, 1, kEnglish),
              (std::vector<HolidayEntry>{{1, "National Day", 115}}));
}

TEST_F(ShippedHolidayFile, HasTheCommonFestivals) {
    const struct {
        int year, month, day;
        const char* name;
    } cases[] = {
        {2024, 1, 1, "元旦"},     {2024, 2, 14, "情人节"}, {2024, 3, 8, "妇女节"},
        {2024, 3, 12, "植树节"},  {2024, 4, 1, "愚人节"},  {2024, 5, 1, "劳动节"},
        {2024, 5, 4, "青年节"},   {2024, 6, 1, "儿童节"},  {2024, 7, 1, "建党节"},
        {2024, 8, 1, "建军节"},   {2024, 9, 10, "教师节"}, {2024, 12, 24, "平安夜"},
        {2024, 12, 25, "圣诞节"}, {2024, 2, 24, "元宵节"}, {2024, 6, 10, "端午节"},
        {2024, 8, 10, "七夕"},    {2024, 9, 17, "中秋节"}, {2024, 10, 11, "重阳节"},
        {2025, 1, 7, "腊八"},     {2024, 2, 9, "除夕"},
    };
    for (const auto& c : cases) {
        const std::vector<HolidayEntry> found =
            HolidaysOf(*root_, c.year, c.month, c.day, kChinese);
        EXPECT_TRUE(std::any_of(found.begin(), found.end(),
                                [&](const HolidayEntry& entry) { return entry.name == c.name; }))
            << c.name << " on " << c.year << '-' << c.month << '-' << c.day;
    }
}

TEST_F(ShippedHolidayFile, EveryEntryIsCompleteAndReachable) {
    std::set<int> ids;
    for (const char* listName : {"SolarHoliday", "LunarHoliday"}) {
        const CTessvarXmlParse& list = root_->GetChild("Holiday").GetChild(listName);
        ASSERT_NE(&list, &root_->GetChild("Holiday")) << listName;
        std::set<int> months;
        for (int g = 0; g < list.GetChildCount(); ++g) {
            const CTessvarXmlParse& group = list.GetChildAt(g);
            const int month = group.GetAttributeInt("Index", 0);
            EXPECT_TRUE(month >= 1 && month <= 12) << listName << " group " << g;
            // A second group of a month would never be read.
            EXPECT_TRUE(months.insert(month).second) << listName << " month " << month;
            // Days as a leap year or a 30-day lunar month has them.
            const int lastDay =
                std::string(listName) == "SolarHoliday" ? GregorianMonthDays(2024, month) : 30;
            for (int h = 0; h < group.GetChildCount(); ++h) {
                const CTessvarXmlParse& holiday = group.GetChildAt(h);
                const int day = holiday.GetAttributeInt("Day", 0);
                EXPECT_TRUE(day >= 1 && day <= lastDay) << listName << ' ' << month << '-' << day;
                EXPECT_NE(holiday.GetAttribute("Chinese"), "") << month << '-' << day;
                EXPECT_NE(holiday.GetAttribute("English"), "") << month << '-' << day;
                const int id = holiday.GetAttributeInt("ID", 0);
                EXPECT_GT(id, 0) << month << '-' << day;
                EXPECT_TRUE(ids.insert(id).second) << "ID " << id << " twice";
            }
        }
    }
}

}  // namespace
}  // namespace veltaro
