#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/holidays.h"

namespace veltaro {

class CTessvarXmlParse;

// The kinds of the perpetual calendar's cells; each has its own colours in the window.
enum class CellKind : int {
    Plain = 0,  // also every blank cell before the 1st and after the last day
    Selected = 1,
    WeekdayHeader = 2,
    Weekend = 3,
    Holiday = 4,
    SolarTerm = 5,  // Chinese interface only
};

inline constexpr int kGridRows = 6;
inline constexpr int kGridColumns = 7;  // Monday in column 0, Sunday in column 6
inline constexpr int kGridCellCount = kGridRows * kGridColumns;

// The years the perpetual calendar shows.
inline constexpr int kFirstCalendarYear = 1900;
inline constexpr int kLastCalendarYear = 2100;

struct DayCell {
    int row = 0;
    int column = 0;
    int day = 0;  // 0 for a blank cell
    CellKind kind = CellKind::Plain;
    // As the window draws it: the day number, and in the Chinese interface a second line after
    // "\n" with the lunar month name on lunar day 1, else the lunar day name, or the solar term
    // on its day. Empty for a blank cell.
    std::string text;
};

// One month as the perpetual calendar paints it, row by row.
struct MonthGrid {
    int year = 0;
    int month = 0;
    int selectedDay = 0;  // the requested day, kept within the month
    int firstColumn = 0;  // the weekday of the 1st: 1 Monday .. 7 Sunday
    std::array<DayCell, kGridCellCount> cells;
    // Every holiday of the selected day in lookup order; the window links the first five.
    std::vector<HolidayEntry> selectedDayHolidays;
};

// The grid of `month` (1..12) of `year` (kFirstCalendarYear..kLastCalendarYear) with
// `selectedDay` clamped into the month, holidays looked up in the loaded holiday file's root.
// Empty for a year or month the calendar does not show. Days that have no lunar date show no
// lunar line.
std::optional<MonthGrid> BuildMonthGrid(const CTessvarXmlParse& holidayRoot, int year, int month,
                                        int selectedDay, int language);

// The header texts, Monday to Sunday, in the interface language.
const std::array<std::string_view, kGridColumns>& WeekdayHeaderNames(int language);

// The month list's texts, January to December, in the interface language.
const std::array<std::string_view, 12>& MonthListNames(int language);

}  // namespace veltaro
