#include "calendar/month_grid.h"

#include <algorithm>

#include "calendar/calendar.h"
#include "calendar/lunar_date.h"
#include "platform/interface_language.h"

namespace veltaro {
namespace {

constexpr std::array<std::string_view, kGridColumns> kChineseWeekdays = {
    "星期一", "星期二", "星期三", "星期四", "星期五", "星期六", "星期日",
};
constexpr std::array<std::string_view, kGridColumns> kEnglishWeekdays = {
    "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday",
};

constexpr std::array<std::string_view, 12> kChineseMonths = {
    "一月", "二月", "三月", "四月", "五月",   "六月",
    "七月", "八月", "九月", "十月", "十一月", "十二月",
};
constexpr std::array<std::string_view, 12> kEnglishMonths = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December",
};

constexpr int kFirstWeekendColumn = 5;

// The two solar terms of a Gregorian month: term 2M - 2 and term 2M - 1.
struct MonthTerms {
    int firstTerm;
    int firstDay;
    int secondDay;
};

MonthTerms TermsOfMonth(const CCalendar& calendar, int year, int month) {
    const int firstTerm = 2 * month - 2;
    return {firstTerm, calendar.SolarTermDay(year, firstTerm),
            calendar.SolarTermDay(year, firstTerm + 1)};
}

// 1 for Monday .. 7 for Sunday; 1900-01-01 was a Monday.
int WeekdayOfFirst(const CCalendar& calendar, int year, int month) {
    const int daysSince1900 = calendar.DayDiff(static_cast<std::uint16_t>(year),
                                               static_cast<std::uint16_t>(month), 1, 1900, 1, 1);
    const int weekday = ((daysSince1900 + 1) % 7 + 7) % 7;
    return weekday == 0 ? 7 : weekday;
}

struct CellText {
    std::string text;
    bool solarTerm = false;
};

std::string LunarLine(const CCalendar& calendar, int year, int month, int day) {
    const std::optional<LunarDate> lunar = calendar.SolarToLunar(year, month, day);
    if (!lunar) {
        return {};
    }
    return lunar->day == 1 ? calendar.LunarMonthName(lunar->month, lunar->leap)
                           : calendar.LunarDayName(lunar->day);
}

CellText DayText(const CCalendar& calendar, const MonthTerms& terms, int year, int month, int day,
                 int language) {
    const std::string number = std::to_string(day);
    if (!ShowsChineseTexts(language)) {
        return {number, false};
    }
    if (day == terms.firstDay || day == terms.secondDay) {
        const int term = day == terms.firstDay ? terms.firstTerm : terms.firstTerm + 1;
        return {number + "\n" + calendar.SolarTermName(term), true};
    }
    const std::string lunarLine = LunarLine(calendar, year, month, day);
    return {lunarLine.empty() ? number : number + "\n" + lunarLine, false};
}

CellKind UnselectedKind(bool solarTerm, bool hasHoliday, int column) {
    if (solarTerm) {
        return CellKind::SolarTerm;
    }
    if (hasHoliday) {
        return CellKind::Holiday;
    }
    return column >= kFirstWeekendColumn ? CellKind::Weekend : CellKind::Plain;
}

}  // namespace

std::optional<MonthGrid> BuildMonthGrid(const CTessvarXmlParse& holidayRoot, int year, int month,
                                        int selectedDay, int language) {
    if (year < kFirstCalendarYear || year > kLastCalendarYear || month < 1 || month > 12) {
        return std::nullopt;
    }
    const CCalendar calendar;
    const int monthDays = calendar.SolarMonthDays(year, month);
    const MonthTerms terms = TermsOfMonth(calendar, year, month);

    MonthGrid grid;
    grid.year = year;
    grid.month = month;
    grid.selectedDay = std::clamp(selectedDay, 1, monthDays);
    grid.firstColumn = WeekdayOfFirst(calendar, year, month);
    for (int index = 0; index < kGridCellCount; ++index) {
        DayCell& cell = grid.cells[static_cast<std::size_t>(index)];
        cell.row = index / kGridColumns;
        cell.column = index % kGridColumns;
        const int day = index + 2 - grid.firstColumn;
        if (day < 1 || day > monthDays) {
            continue;
        }
        cell.day = day;
        CellText text = DayText(calendar, terms, year, month, day, language);
        cell.text = std::move(text.text);
        std::vector<HolidayEntry> holidays;
        HolidaysOfDate(holidayRoot, year, month, day, language, holidays);
        if (day == grid.selectedDay) {
            cell.kind = CellKind::Selected;
            grid.selectedDayHolidays = std::move(holidays);
        } else {
            cell.kind = UnselectedKind(text.solarTerm, !holidays.empty(), cell.column);
        }
    }
    return grid;
}

const std::array<std::string_view, kGridColumns>& WeekdayHeaderNames(int language) {
    return ShowsChineseTexts(language) ? kChineseWeekdays : kEnglishWeekdays;
}

const std::array<std::string_view, 12>& MonthListNames(int language) {
    return ShowsChineseTexts(language) ? kChineseMonths : kEnglishMonths;
}

}  // namespace veltaro
