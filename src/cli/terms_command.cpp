#include <optional>

#include "calendar/calendar.h"
#include "cli/calendar_command_support.h"
#include "cli/calendar_commands.h"
#include "cli/command_arguments.h"
#include "cli/command_status.h"
#include "cli/subcommand.h"

namespace veltaro {
namespace {

constexpr std::string_view kCommand = "terms";
constexpr int kSolarTermCount = 24;

void WriteTermsLine(const CCalendar& calendar, int year, bool names, std::ostream& out) {
    out << year;
    for (int term = 0; term < kSolarTermCount; ++term) {
        out << ' ' << calendar.SolarTermDay(year, term);
        if (names) {
            out << ':' << calendar.SolarTermName(term);
        }
    }
    out << '\n';
}

}  // namespace

int RunTermsCommand(std::span<const std::string> arguments, const CalendarContext& context,
                    std::ostream& out, std::ostream& err) {
    const CommandArguments parsed = ParseCommandArguments(
        arguments, {.names = true, .operands = true}, context.dataFolder, context.language);
    if (const std::optional<int> status =
            EndForErrorOrHelp(kCommand, kTermsUsage, parsed, out, err)) {
        return *status;
    }
    std::string problem;
    // Only the calendar's years: far from 1900 the mean tropical year drifts from the sky.
    const auto range = ReadOperandRange<int>(parsed.operands, "YEAR", ReadCalendarYear, problem);
    if (!range) {
        return ReportBadArguments(kCommand, problem, err);
    }
    const CCalendar calendar;
    for (int year = range->first; year <= range->second; ++year) {
        WriteTermsLine(calendar, year, parsed.names, out);
    }
    return kExitDone;
}

}  // namespace veltaro
