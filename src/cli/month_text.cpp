#include "cli/month_text.h"

#include <algorithm>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>

#include "cli/operand_text.h"
#include "cli/text_width.h"
#include "platform/interface_language.h"

namespace veltaro {
namespace {

// Wide enough for "Wednesday" and for the longest lunar line, "闰十一月".
constexpr int kColumnWidth = 10;

char MarkOf(CellKind kind) {
    switch (kind) {
        case CellKind::SolarTerm:
            return '^';
        case CellKind::Holiday:
            return '*';
        case CellKind::Weekend:
            return '+';
        default:
            return ' ';
    }
}

// The same width for every day, so that the numbers of a column line up.
std::string DayToken(const DayCell& cell) {
    char token[16];
    if (cell.kind == CellKind::Selected) {
        std::snprintf(token, sizeof token, "[%2d]", cell.day);
    } else {
        std::snprintf(token, sizeof token, " %2d%c", cell.day, MarkOf(cell.kind));
    }
    return token;
}

std::string_view SecondLineOf(const DayCell& cell) {
    const std::size_t lineBreak = cell.text.find('\n');
    return lineBreak == std::string::npos ? std::string_view()
                                          : std::string_view(cell.text).substr(lineBreak + 1);
}

void WriteLine(std::string line, std::ostream& out) {
    line.erase(line.find_last_not_of(' ') + 1);
    out << line << '\n';
}

std::string TitleOf(const MonthGrid& grid, int language) {
    if (ShowsChineseTexts(language)) {
        return std::to_string(grid.year) + "年" + std::to_string(grid.month) + "月";
    }
    return std::string(MonthListNames(language)[static_cast<std::size_t>(grid.month - 1)]) + " " +
           std::to_string(grid.year);
}

std::string_view LegendOf(int language) {
    // English cells have no solar-term kind, so their legend has no mark for it.
    return ShowsChineseTexts(language) ? "[ ] 选中日  ^ 节气  * 节日  + 周末"
                                       : "[ ] selected day  * holiday  + weekend";
}

void WriteHeader(int language, std::ostream& out) {
    std::string line;
    for (std::string_view name : WeekdayHeaderNames(language)) {
        line += CentredIn(name, kColumnWidth);
    }
    WriteLine(std::move(line), out);
}

void WriteWeek(std::span<const DayCell> week, std::ostream& out) {
    std::string days;
    std::string secondLines;
    for (const DayCell& cell : week) {
        days += CentredIn(cell.day == 0 ? "" : DayToken(cell), kColumnWidth);
        secondLines += CentredIn(SecondLineOf(cell), kColumnWidth);
    }
    WriteLine(std::move(days), out);
    if (secondLines.find_first_not_of(' ') != std::string::npos) {
        WriteLine(std::move(secondLines), out);
    }
}

void WriteSelectedDayHolidays(const MonthGrid& grid, int language, std::ostream& out) {
    if (grid.selectedDayHolidays.empty()) {
        return;
    }
    const std::string_view separator = ShowsChineseTexts(language) ? "、" : ", ";
    std::string line = IsoDateText({grid.year, grid.month, grid.selectedDay}) + ": ";
    for (std::size_t i = 0; i < grid.selectedDayHolidays.size(); ++i) {
        line += (i == 0 ? "" : std::string(separator)) + grid.selectedDayHolidays[i].name;
    }
    WriteLine(std::move(line), out);
}

bool HasDay(std::span<const DayCell> week) {
    return std::any_of(week.begin(), week.end(), [](const DayCell& cell) { return cell.day != 0; });
}

}  // namespace

void WriteMonthText(const MonthGrid& grid, int language, std::ostream& out) {
    WriteLine(CentredIn(TitleOf(grid, language), kColumnWidth * kGridColumns), out);
    WriteHeader(language, out);
    const std::span<const DayCell> cells(grid.cells);
    for (int row = 0; row < kGridRows; ++row) {
        const std::span<const DayCell> week = cells.subspan(
            static_cast<std::size_t>(row * kGridColumns), static_cast<std::size_t>(kGridColumns));
        if (HasDay(week)) {
            WriteWeek(week, out);
        }
    }
    WriteLine(std::string(LegendOf(language)), out);
    WriteSelectedDayHolidays(grid, language, out);
}

void WriteMonthCells(const MonthGrid& grid, std::ostream& out) {
    for (const DayCell& cell : grid.cells) {
        out << cell.row << ' ' << cell.column << ' ' << cell.day << ' '
            << static_cast<int>(cell.kind);
        if (!cell.text.empty()) {
            std::string text = cell.text;
            std::replace(text.begin(), text.end(), '\n', '|');
            out << ' ' << text;
        }
        out << '\n';
    }
}

}  // namespace veltaro
