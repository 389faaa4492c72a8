#include <optional>
#include <vector>

#include "calendar/holidays.h"
#include "cli/calendar_commands.h"
#include "cli/command_arguments.h"
#include "cli/command_status.h"
#include "cli/data_file_load.h"
#include "cli/operand_text.h"
#include "cli/subcommand.h"
#include "xml/tessvar_xml_parse.h"

namespace veltaro {
namespace {

constexpr std::string_view kCommand = "holidays";

// The file is the user's: a tab or line break inside a name would split the line's fields.
std::string OnOneLine(std::string name) {
    for (char& c : name) {
        if (c == '\t' || c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    return name;
}

}  // namespace

int RunHolidaysCommand(std::span<const std::string> arguments, const CalendarContext& context,
                       std::ostream& out, std::ostream& err) {
    const CommandArguments parsed =
        ParseCommandArguments(arguments, {.operands = true}, context.dataFolder, context.language);
    if (const std::optional<int> status =
            EndForErrorOrHelp(kCommand, kHolidaysUsage, parsed, out, err)) {
        return *status;
    }
    if (parsed.operands.size() != 1) {
        return ReportBadArguments(kCommand, "needs one DATE", err);
    }
    const std::optional<LocalDateTime> date = ParseDate(parsed.operands.front());
    if (!date) {
        return ReportBadArguments(
            kCommand, QuotedInput(parsed.operands.front()) + " is not a date (YYYY-MM-DD)", err);
    }
    CTessvarXmlParse root;
    if (const std::string problem = LoadHolidayFile(context, parsed.dataFolder, root);
        !problem.empty()) {
        return ReportUnreadable(kCommand, problem, err);
    }
    std::vector<HolidayEntry> holidays;
    HolidaysOfDate(root, date->year, date->month, date->day, parsed.language, holidays);
    for (const HolidayEntry& holiday : holidays) {
        out << holiday.type << '\t' << holiday.id << '\t' << OnOneLine(holiday.name) << '\n';
    }
    return kExitDone;
}

}  // namespace veltaro
