#include "cli/calendar_commands.h"
#include "cli/log_command.h"
#include "cli/remind_command.h"
#include "cli/subcommand.h"

namespace veltaro {
namespace {

// A new subcommand is a file of its own and one line here.
constexpr Subcommand kSubcommands[] = {
    {"log", "[--data-dir DIR] [--csv] [--lang zh|en]",
     "every run of the computer with its start-up, shutdown and run times", LogCommand},
    {"lunar", kLunarUsage, kLunarSummary, LunarCommand},
    {"terms", kTermsUsage, kTermsSummary, TermsCommand},
    {"holidays", kHolidaysUsage, kHolidaysSummary, HolidaysCommand},
    {"cal", kCalUsage, kCalSummary, CalCommand},
    {"remind", kRemindUsage, kRemindSummary, RemindCommand},
};

}  // namespace

std::span<const Subcommand> AllSubcommands() {
    return kSubcommands;
}

}  // namespace veltaro
