#include <optional>

#include "calendar/month_grid.h"
#include "cli/calendar_command_support.h"
#include "cli/calendar_commands.h"
#include "cli/command_arguments.h"
#include "cli/command_status.h"
#include "cli/data_file_load.h"
#include "cli/month_text.h"
#include "cli/operand_text.h"
#include "cli/subcommand.h"
#include "xml/tessvar_xml_parse.h"

namespace veltaro {
namespace {

constexpr std::string_view kCommand = "cal";

struct ShownMonth {
    int year = 0;
    int month = 0;
    int selectedDay = 0;
};

LocalDateTime LocalNow(const Clock& clock) {
    return LocalDateTimeFromTm(LocalTime(clock.NowSeconds()));
}

// The month of YEAR MONTH, or of now when they are not given; the selected day is now's day,
// which the grid keeps within the month.
std::optional<ShownMonth> MonthToShow(const CommandArguments& parsed, const Clock& clock,
                                      std::string& problem) {
    const LocalDateTime now = parsed.now ? *parsed.now : LocalNow(clock);
    const std::vector<std::string>& operands = parsed.operands;
    if (operands.empty()) {
        if (now.year < kFirstCalendarYear || now.year > kLastCalendarYear) {
            problem = IsoDateText(now) + " is outside 1900..2100: give YEAR MONTH";
            return std::nullopt;
        }
        return ShownMonth{now.year, now.month, now.day};
    }
    if (operands.size() != 2) {
        problem = "needs YEAR and MONTH, or neither";
        return std::nullopt;
    }
    const std::optional<int> year = ReadCalendarYear(operands[0], problem);
    const std::optional<int> month = year ? ParseNumberIn(operands[1], 1, 12) : std::nullopt;
    if (year && !month) {
        problem = QuotedInput(operands[1]) + " is not a month from 1 to 12";
    }
    return year && month ? std::optional(ShownMonth{*year, *month, now.day}) : std::nullopt;
}

}  // namespace

int RunCalCommand(std::span<const std::string> arguments, const CalendarContext& context,
                  std::ostream& out, std::ostream& err) {
    const CommandArguments parsed =
        ParseCommandArguments(arguments, {.now = true, .cells = true, .operands = true},
                              context.dataFolder, context.language);
    if (const std::optional<int> status =
            EndForErrorOrHelp(kCommand, kCalUsage, parsed, out, err)) {
        return *status;
    }
    std::string problem;
    const std::optional<ShownMonth> shown = MonthToShow(parsed, context.clock, problem);
    if (!shown) {
        return ReportBadArguments(kCommand, problem, err);
    }
    CTessvarXmlParse root;
    if (problem = LoadHolidayFile(context, parsed.dataFolder, root); !problem.empty()) {
        return ReportUnreadable(kCommand, problem, err);
    }
    // The year and month were checked, so the grid exists.
    const MonthGrid grid =
        *BuildMonthGrid(root, shown->year, shown->month, shown->selectedDay, parsed.language);
    if (parsed.cells) {
        WriteMonthCells(grid, out);
    } else {
        WriteMonthText(grid, parsed.language, out);
    }
    return kExitDone;
}

}  // namespace veltaro
