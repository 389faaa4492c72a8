#include "cli/calendar_commands.h"
#include "cli/command_defaults.h"
#include "cli/log_command.h"
#include "cli/open_command.h"
#include "cli/remind_command.h"
#include "cli/subcommand.h"
#include "cli/usage_command.h"
#include "platform/program_folder.h"
#include "xml/data_document.h"

namespace veltaro {
namespace {

using ContextCommand = int (*)(std::span<const std::string> arguments,
                               const CalendarContext& context, std::ostream& out,
                               std::ostream& err);

// `run` on the resident program's data folder, language and shipped files and on the system
// clock.
template <ContextCommand run>
int OnThisComputer(std::span<const std::string> arguments, std::ostream& out, std::ostream& err) {
    const SystemClock clock;
    const CalendarContext context{DefaultDataFolder(), DefaultLanguage(), clock,
                                  ShippedDataFolder(ProgramDirectory())};
    return run(arguments, context, out, err);
}

// A new subcommand is a file of its own and one line here.
constexpr Subcommand kSubcommands[] = {
    {"log", kLogUsage, kLogSummary, LogCommand},
    {"lunar", kLunarUsage, kLunarSummary, OnThisComputer<RunLunarCommand>},
    {"terms", kTermsUsage, kTermsSummary, OnThisComputer<RunTermsCommand>},
    {"holidays", kHolidaysUsage, kHolidaysSummary, OnThisComputer<RunHolidaysCommand>},
    {"cal", kCalUsage, kCalSummary, OnThisComputer<RunCalCommand>},
    {"remind", kRemindUsage, kRemindSummary, OnThisComputer<RunRemindCommand>},
    {"usage", kUsageUsage, kUsageSummary, UsageCommand},
    {"open", kOpenUsage, kOpenSummary, OpenCommand},
};

}  // namespace

std::span<const Subcommand> AllSubcommands() {
    return kSubcommands;
}

}  // namespace veltaro
