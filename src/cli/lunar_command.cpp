#include <optional>

#include "calendar/calendar.h"
#include "calendar/gregorian.h"
#include "cli/calendar_command_support.h"
#include "cli/calendar_commands.h"
#include "cli/command_arguments.h"
#include "cli/command_status.h"
#include "cli/operand_text.h"
#include "cli/subcommand.h"

namespace veltaro {
namespace {

constexpr std::string_view kCommand = "lunar";

// The date of `text` as a day number since 1970-01-01, or the problem with it.
std::optional<std::int64_t> CoveredDay(const std::string& text, std::string& problem) {
    const std::optional<LocalDateTime> date = ParseDate(text);
    if (!date) {
        problem = QuotedInput(text) + " is not a date (YYYY-MM-DD)";
        return std::nullopt;
    }
    if (!CCalendar().SolarToLunar(date->year, date->month, date->day)) {
        problem = text + " is outside the lunar calendar's 1900-01-31..2100-02-08";
        return std::nullopt;
    }
    return DaysFromCivil(date->year, date->month, date->day);
}

void WriteLunarLine(const CCalendar& calendar, std::int64_t dayNumber, std::ostream& out) {
    const CivilDate date = CivilFromDays(dayNumber);
    const LocalDateTime civil{static_cast<int>(date.year), date.month, date.day};
    // The range was checked, so every day of it has a lunar date.
    const LunarDate lunar = *calendar.SolarToLunar(civil.year, civil.month, civil.day);
    out << IsoDateText(civil) << ' ' << lunar.year << ' ' << lunar.month << ' ' << lunar.day << ' '
        << (lunar.leap ? 1 : 0) << ' ' << calendar.LunarMonthName(lunar.month, lunar.leap)
        << calendar.LunarDayName(lunar.day) << '\n';
}

}  // namespace

int RunLunarCommand(std::span<const std::string> arguments, const CalendarContext& context,
                    std::ostream& out, std::ostream& err) {
    const CommandArguments parsed =
        ParseCommandArguments(arguments, {.operands = true}, context.dataFolder, context.language);
    if (const std::optional<int> status =
            EndForErrorOrHelp(kCommand, kLunarUsage, parsed, out, err)) {
        return *status;
    }
    std::string problem;
    const auto range = ReadOperandRange<std::int64_t>(parsed.operands, "DATE", CoveredDay, problem);
    if (!range) {
        return ReportBadArguments(kCommand, problem, err);
    }
    const CCalendar calendar;
    for (std::int64_t day = range->first; day <= range->second; ++day) {
        WriteLunarLine(calendar, day, out);
    }
    return kExitDone;
}

}  // namespace veltaro
