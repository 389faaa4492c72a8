#include "cli/remind_command.h"

#include <cstdio>

#include "cli/command_arguments.h"
#include "cli/command_status.h"
#include "cli/data_file_load.h"
#include "cli/subcommand.h"
#include "remind/power_action.h"
#include "remind/recent_remind_text.h"
#include "remind/remind_plan.h"
#include "remind/remind_schedule.h"
#include "xml/tessvar_xml_parse.h"

namespace veltaro {
namespace {

constexpr std::string_view kCommand = "remind";

LocalDateTime NowOf(const CommandArguments& parsed, const Clock& clock) {
    return parsed.now ? *parsed.now : LocalDateTimeFromTm(LocalTime(clock.NowSeconds()));
}

// One row a line and one column a field: the characters that would split them are escaped, and
// so is the escape character, so that the message can be read back exactly.
std::string EscapedMessage(std::string_view message) {
    std::string escaped;
    for (const char c : message) {
        switch (c) {
            case '\\':
                escaped += "\\\\";
                break;
            case '\n':
                escaped += "\\n";
                break;
            case '\r':
                escaped += "\\r";
                break;
            case '\t':
                escaped += "\\t";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

void WritePlanRows(const CTessvarXmlParse& root, int language, const LocalDateTime& now,
                   std::ostream& out) {
    for (const RemindPlan& plan : ReadRemindPlans(root)) {
        const RecentRemindTexts texts = RecentRemindText(plan, language, now);
        out << texts.recentRemind << '\t' << PowerActionEditorName(plan.action, language) << '\t'
            << EscapedMessage(plan.message) << '\t' << texts.diffDays << '\n';
    }
}

std::string OccurrenceTimeText(const LocalDateTime& time) {
    // Wide enough for every field at the full range of int.
    char text[80];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", time.year, time.month,
                  time.day, time.hour, time.minute, time.second);
    return text;
}

// "never" for a time the calendar lacks, which no rebuild can arm.
std::string_view ArmingText(const RemindOccurrence& occurrence, const LocalDateTime& now) {
    if (!IsExistingDateTime(occurrence.time)) {
        return kNeverDue;
    }
    return IsOccurrenceArmed(occurrence, now) ? "armed" : "passed";
}

void WriteSchedule(const CTessvarXmlParse& root, const LocalDateTime& now, std::ostream& out) {
    for (const RemindOccurrence& occurrence : BuildRemindSchedule(root, now)) {
        out << OccurrenceTimeText(occurrence.time) << ' ' << occurrence.action << ' '
            << ArmingText(occurrence, now) << '\n';
    }
}

}  // namespace

int RunRemindCommand(std::span<const std::string> arguments, const CalendarContext& context,
                     std::ostream& out, std::ostream& err) {
    const CommandArguments parsed = ParseCommandArguments(
        arguments, {.now = true, .schedule = true}, context.dataFolder, context.language);
    if (const std::optional<int> status =
            EndForErrorOrHelp(kCommand, kRemindUsage, parsed, out, err)) {
        return *status;
    }
    CTessvarXmlParse root;
    if (const std::string problem = LoadRemindPlanFile(parsed.dataFolder, root); !problem.empty()) {
        return ReportUnreadable(kCommand, problem, err);
    }
    const LocalDateTime now = NowOf(parsed, context.clock);
    if (parsed.schedule) {
        WriteSchedule(root, now, out);
    } else {
        WritePlanRows(root, parsed.language, now, out);
    }
    return kExitDone;
}

}  // namespace veltaro
