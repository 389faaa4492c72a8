#include "cli/calendar_commands.h"
#include "cli/command_defaults.h"
#include "cli/log_command.h"
#include "cli/open_command.h"
#include "cli/remind_command.h"
#include "cli/subcommand.h"

namespace veltaro {
namespace {

using ContextCommand = int (*)(std::span<const std::string> arguments,
                               const CalendarContext& context, std::ostream& out,
                               std::ostream& err);

// `run` on the resident program's data folder and language and on the system clock.
template <ContextCommand run>
int OnThisComputer(std::span<const std::string> arguments, std::ostream& out, std::ostream& err) {
    const SystemClock clock;
    return run(arguments, CalendarContext{DefaultDataFolder(), DefaultLanguage(), clock}, out, err);
}

// A new subcommand is a file of its own and one line here.
constexpr Subcommand kSubcommands[] = {
    {"log", kLogUsage, kLogSummary, LogCommand},
    {"lunar", kLunarUsage, kLunarSummary, OnThisComputer<RunLunarCommand>},
    {"terms", kTermsUsage, kTermsSummary, OnThisComputer<RunTermsCommand>},
    {"holidays", kHolidaysUsage, kHolidaysSummary, OnThisComputer<RunHolidaysCommand>},
    {"cal", kCalUsage, kCalSummary, OnThisComputer<RunCalCommand>},
    {"remind", kRemindUsage, kRemindSummary, OnThisComputer<RunRemindCommand>},
    {"open", kOpenUsage, kOpenSummary, OpenCommand},
};

}  // namespace

std::span<const Subcommand> AllSubcommands() {
    return kSubcommands;
}

}  // namespace veltaro
