#include "cli/log_command.h"

#include "cli/command_arguments.h"
#include "cli/command_defaults.h"
#include "cli/command_status.h"
#include "cli/log_report.h"
#include "platform/boot_tag.h"

namespace veltaro {

int LogCommand(std::span<const std::string> arguments, std::ostream& out, std::ostream& err) {
    const CommandArguments parsed = ParseCommandArguments(arguments, {.csv = true, .summary = true},
                                                          DefaultDataFolder(), DefaultLanguage());
    if (const std::optional<int> status = EndForErrorOrHelp("log", kLogUsage, parsed, out, err)) {
        return *status;
    }
    const SystemClock clock;
    return ReportRunLog({parsed.dataFolder, parsed.csv, parsed.summary, parsed.language}, clock,
                        CurrentBootTag(), out, err);
}

}  // namespace veltaro
