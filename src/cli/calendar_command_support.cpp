#include "cli/calendar_command_support.h"

#include "calendar/month_grid.h"
#include "cli/calendar_commands.h"
#include "cli/data_folder.h"
#include "cli/locale_language.h"
#include "cli/subcommand.h"

namespace veltaro {
namespace {

int RunOnSystem(int (*run)(std::span<const std::string>, const CalendarContext&, std::ostream&,
                           std::ostream&),
                std::span<const std::string> arguments, std::ostream& out, std::ostream& err) {
    const SystemClock clock;
    return run(arguments, CalendarContext{DefaultDataFolder(), LocaleLanguage(), clock}, out, err);
}

void WriteProblem(std::string_view command, std::string_view problem, std::ostream& err) {
    err << "veltaro-cli " << command << ": " << problem << '\n';
}

}  // namespace

int ReportBadArguments(std::string_view command, std::string_view problem, std::ostream& err) {
    WriteProblem(command, problem, err);
    return kExitBadArguments;
}

int ReportUnreadable(std::string_view command, std::string_view problem, std::ostream& err) {
    WriteProblem(command, problem, err);
    return kExitUnreadable;
}

std::optional<int> ReadCalendarYear(const std::string& text, std::string& problem) {
    const std::optional<int> year = ParseNumberIn(text, kFirstCalendarYear, kLastCalendarYear);
    if (!year) {
        problem = "'" + text + "' is not a year from 1900 to 2100";
    }
    return year;
}

std::optional<int> EndForErrorOrHelp(std::string_view command, std::string_view usage,
                                     const CalendarArguments& parsed, std::ostream& out,
                                     std::ostream& err) {
    if (!parsed.error.empty()) {
        return ReportBadArguments(command, parsed.error, err);
    }
    if (parsed.help) {
        out << "usage: veltaro-cli " << command << ' ' << usage << '\n';
        return kExitDone;
    }
    return std::nullopt;
}

int LunarCommand(std::span<const std::string> arguments, std::ostream& out, std::ostream& err) {
    return RunOnSystem(RunLunarCommand, arguments, out, err);
}

int TermsCommand(std::span<const std::string> arguments, std::ostream& out, std::ostream& err) {
    return RunOnSystem(RunTermsCommand, arguments, out, err);
}

int HolidaysCommand(std::span<const std::string> arguments, std::ostream& out, std::ostream& err) {
    return RunOnSystem(RunHolidaysCommand, arguments, out, err);
}

int CalCommand(std::span<const std::string> arguments, std::ostream& out, std::ostream& err) {
    return RunOnSystem(RunCalCommand, arguments, out, err);
}

}  // namespace veltaro
