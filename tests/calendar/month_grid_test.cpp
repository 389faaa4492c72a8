#include "calendar/month_grid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

#include "holiday_test_support.h"

namespace veltaro {
namespace {

using holiday_test::TreeFromText;

constexpr int kChinese = 4;
constexpr int kEnglish = 9;

// 2024-09-22 is a Sunday, the day of 秋分 and, here, a holiday; 2024-09-18 a Wednesday and
// 2024-09-21 a Saturday with a holiday; 2024-06-10 has seven holidays.
constexpr const char* kGridHolidays = R"(<Quorvane><Holiday><SolarHoliday>
    <M Index="9"><H Day="22" Chinese="秋日" English="Autumn Day" ID="1"/>
                 <H Day="18" Chinese="周三节" English="Wednesday Day" ID="2"/>
                 <H Day="21" Chinese="周六节" English="Saturday Day" ID="3"/></M>
    <M Index="6"><H Day="10" Chinese="甲" ID="11"/><H Day="10" Chinese="乙" ID="12"/>
                 <H Day="10" Chinese="丙" ID="13"/><H Day="10" Chinese="丁" ID="14"/>
                 <H Day="10" Chinese="戊" ID="15"/><H Day="10" Chinese="己" ID="16"/></M>
    </SolarHoliday><LunarHoliday>
    <M Index="5"><H Day="5" Chinese="端午节" ID="204"/></M>
    </LunarHoliday></Holiday></Quorvane>)";

class MonthGridTest : public testing::Test {
protected:
    MonthGrid Grid(int year, int month, int selectedDay, int language) const {
        const std::optional<MonthGrid> grid =
            BuildMonthGrid(*holidays_, year, month, selectedDay, language);
        EXPECT_TRUE(grid.has_value()) << year << '-' << month;
        return grid.value_or(MonthGrid{});
    }

    const DayCell& CellOfDay(const MonthGrid& grid, int day) const {
        const auto cell = std::find_if(grid.cells.begin(), grid.cells.end(),
                                       [day](const DayCell& c) { return c.day == day; });
        EXPECT_NE(cell, grid.cells.end()) << day;
        return cell == grid.cells.end() ? grid.cells.front() : *cell;
    }

    std::unique_ptr<CTessvarXmlParse> holidays_ = TreeFromText(kGridHolidays);
};

TEST_F(MonthGridTest, LaysTheMonthOutMondayFirst) {
    const struct {
        int year, month;
        int firstColumn;
        int length;
    } cases[] = {
        {2024, 9, 7, 30},   // 1 September a Sunday
        {2021, 2, 1, 28},   // 1 February a Monday: rows 0 to 3 exactly
        {2024, 2, 4, 29},   // leap year
        {1900, 2, 4, 28},   // 1900 is not a leap year
        {2000, 2, 2, 29},   // 2000 is
        {1900, 1, 1, 31},   // the first shown month
        {2100, 12, 3, 31},  // the last shown month
        {2024, 4, 1, 30},
    };
    for (const auto& c : cases) {
        const MonthGrid grid = Grid(c.year, c.month, 1, kEnglish);
        EXPECT_EQ(grid.firstColumn, c.firstColumn) << c.year << '-' << c.month;
        for (int index = 0; index < kGridCellCount; ++index) {
            const DayCell& cell = grid.cells[static_cast<std::size_t>(index)];
            const int day = index + 2 - c.firstColumn;
            const bool inMonth = day >= 1 && day <= c.length;
            EXPECT_EQ(cell.row, index / 7);
            EXPECT_EQ(cell.column, index % 7);
            EXPECT_EQ(cell.day, inMonth ? day : 0) << c.year << '-' << c.month << " cell " << index;
            if (!inMonth) {
                EXPECT_EQ(cell.kind, CellKind::Plain);
                EXPECT_EQ(cell.text, "");
            }
        }
    }
}

TEST_F(MonthGridTest, PlacesTheNamedDays) {
    const MonthGrid september = Grid(2024, 9, 15, kEnglish);
    EXPECT_EQ(CellOfDay(september, 1).row, 0);
    EXPECT_EQ(CellOfDay(september, 1).column, 6);
    EXPECT_EQ(CellOfDay(september, 1).kind, CellKind::Weekend);
    EXPECT_EQ(CellOfDay(september, 30).row, 5);
    EXPECT_EQ(CellOfDay(september, 30).column, 0);

    const MonthGrid february = Grid(2021, 2, 1, kEnglish);
    EXPECT_EQ(CellOfDay(february, 28).row, 3);
    EXPECT_EQ(CellOfDay(february, 28).column, 6);
}

TEST_F(MonthGridTest, ChineseCellsCarryTheLunarOrSolarTermLine) {
    const struct {
        int year, month, day;
        const char* text;
        CellKind kind;  // not selected
    } cases[] = {
        {2000, 2, 5, "5\n正月", CellKind::Weekend},      // lunar day 1: the month's name
        {2020, 5, 23, "23\n闰四月", CellKind::Weekend},  // the first day of a leap month
        {2006, 12, 16, "16\n廿六", CellKind::Weekend},
        {2024, 2, 7, "7\n廿八", CellKind::Plain},
        {2024, 2, 4, "4\n立春", CellKind::SolarTerm},    // the month's first term
        {2024, 2, 19, "19\n雨水", CellKind::SolarTerm},  // and its second
        {2024, 9, 22, "22\n秋分", CellKind::SolarTerm},  // a term before a holiday and a Sunday
        {2024, 9, 21, "21\n十九", CellKind::Holiday},    // a holiday before a Saturday
        {2024, 9, 18, "18\n十六", CellKind::Holiday},
        {2024, 6, 10, "10\n初五", CellKind::Holiday},  // seven holidays
        // The edges of the lunar table: no lunar date, no lunar line, but the solar terms.
        {1900, 1, 15, "15", CellKind::Plain},
        {1900, 1, 6, "6\n小寒", CellKind::SolarTerm},
        {1900, 1, 31, "31\n正月", CellKind::Plain},
        {2100, 2, 8, "8\n三十", CellKind::Plain},
        {2100, 2, 9, "9", CellKind::Plain},
    };
    for (const auto& c : cases) {
        const int elsewhere = c.day == 1 ? 2 : 1;
        const MonthGrid grid = Grid(c.year, c.month, elsewhere, kChinese);
        const DayCell& cell = CellOfDay(grid, c.day);
        EXPECT_EQ(cell.text, c.text) << c.year << '-' << c.month << '-' << c.day;
        EXPECT_EQ(cell.kind, c.kind) << c.year << '-' << c.month << '-' << c.day;
        // Selected, every kind gives way.
        EXPECT_EQ(CellOfDay(Grid(c.year, c.month, c.day, kChinese), c.day).kind,
                  CellKind::Selected);
    }
}

TEST_F(MonthGridTest, EnglishCellsHoldTheDayNumberAndNoSolarTerms) {
    for (const auto& [year, month] : {std::pair{2024, 2}, {2024, 9}, {2020, 5}, {1900, 1}}) {
        const MonthGrid grid = Grid(year, month, 1, kEnglish);
        for (const DayCell& cell : grid.cells) {
            EXPECT_EQ(cell.text, cell.day == 0 ? "" : std::to_string(cell.day));
            EXPECT_NE(cell.kind, CellKind::SolarTerm) << year << '-' << month << '-' << cell.day;
        }
    }
    // The term day with a holiday on a Sunday shows the holiday.
    EXPECT_EQ(CellOfDay(Grid(2024, 9, 1, kEnglish), 22).kind, CellKind::Holiday);
    EXPECT_EQ(CellOfDay(Grid(2024, 9, 1, kEnglish), 23).kind, CellKind::Plain);
}

TEST_F(MonthGridTest, KeepsTheSelectionWithinTheMonth) {
    const struct {
        int year, month, requested, selected;
    } cases[] = {
        {2024, 2, 31, 29}, {2023, 2, 31, 28}, {2024, 4, 31, 30},
        {2024, 1, 31, 31}, {2024, 1, 0, 1},   {2024, 1, -5, 1},
    };
    for (const auto& c : cases) {
        const MonthGrid grid = Grid(c.year, c.month, c.requested, kChinese);
        EXPECT_EQ(grid.selectedDay, c.selected);
        EXPECT_EQ(
            std::count_if(grid.cells.begin(), grid.cells.end(),
                          [](const DayCell& cell) { return cell.kind == CellKind::Selected; }),
            1);
        EXPECT_EQ(CellOfDay(grid, c.selected).kind, CellKind::Selected);
    }
}

TEST_F(MonthGridTest, GivesEveryHolidayOfTheSelectedDay) {
    const MonthGrid seven = Grid(2024, 6, 10, kChinese);
    std::vector<std::string> names;
    for (const HolidayEntry& entry : seven.selectedDayHolidays) {
        names.push_back(entry.name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"甲", "乙", "丙", "丁", "戊", "己", "端午节"}));
    EXPECT_EQ(seven.selectedDayHolidays.back(), (HolidayEntry{kLunarHoliday, "端午节", 204}));

    EXPECT_TRUE(Grid(2024, 6, 11, kChinese).selectedDayHolidays.empty());
    EXPECT_EQ(Grid(2024, 9, 22, kEnglish).selectedDayHolidays,
              (std::vector<HolidayEntry>{{kGregorianHoliday, "Autumn Day", 1}}));
}

TEST_F(MonthGridTest, ShowsOnlyTheCalendarsYearsAndMonths) {
    for (const auto& [year, month] :
         {std::pair{1899, 12}, {2101, 1}, {2024, 0}, {2024, 13}, {-1, 1}, {70000, 1}}) {
        EXPECT_FALSE(BuildMonthGrid(*holidays_, year, month, 1, kChinese)) << year << '-' << month;
    }
}

TEST(WeekdayHeaderNames, RunMondayToSunday) {
    EXPECT_EQ(WeekdayHeaderNames(kChinese).front(), "星期一");
    EXPECT_EQ(WeekdayHeaderNames(kChinese).back(), "星期日");
    EXPECT_EQ(WeekdayHeaderNames(kEnglish).front(), "Monday");
    EXPECT_EQ(WeekdayHeaderNames(kEnglish).back(), "Sunday");
    EXPECT_EQ(MonthListNames(kChinese)[11], "十二月");
    EXPECT_EQ(MonthListNames(kEnglish)[1], "February");
}

}  // namespace
}  // namespace veltaro
