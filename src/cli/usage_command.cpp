#include "cli/usage_command.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdlib>

#include "cli/command_arguments.h"
#include "cli/command_defaults.h"
#include "cli/command_status.h"
#include "cli/subcommand.h"
#include "cli/usage_report.h"
#include "platform/boot_tag.h"
#include "recorder/run_history.h"
#include "recorder/usage.h"

namespace veltaro {
namespace {

constexpr std::string_view kCommand = "usage";
constexpr int kDefaultDays = 30;
// "YYYY-MM-DD  123.4 h " before the bar.
constexpr std::size_t kLineStart = 20;

// A clock that shows a given wall-clock time; the uptime stays the real one.
class ShownClock final : public Clock {
public:
    ShownClock(const Clock& real, std::int64_t nowSeconds) : real_(real), now_(nowSeconds) {}
    std::int64_t NowSeconds() const override { return now_; }
    std::uint64_t TickMs() const override { return real_.TickMs(); }

private:
    const Clock& real_;
    std::int64_t now_;
};

UsagePeriod PeriodOf(const std::string& unit) {
    if (unit == "weeks") {
        return UsagePeriod::kWeek;
    }
    return unit == "months" ? UsagePeriod::kMonth : UsagePeriod::kDay;
}

std::size_t TerminalColumns() {
    if (::isatty(STDOUT_FILENO) == 0) {
        return 0;
    }
    winsize size{};
    if (::ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) {
        return size.ws_col;
    }
    const char* columns = std::getenv("COLUMNS");
    return columns != nullptr ? static_cast<std::size_t>(std::atoi(columns)) : 80;
}

}  // namespace

int RunUsageCommand(std::span<const std::string> arguments, const Clock& clock,
                    std::size_t barColumns, std::ostream& out, std::ostream& err) {
    const CommandArguments parsed =
        ParseCommandArguments(arguments, {.now = true, .csv = true, .periods = true},
                              DefaultDataFolder(), DefaultLanguage());
    if (const std::optional<int> status =
            EndForErrorOrHelp(kCommand, kUsageUsage, parsed, out, err)) {
        return *status;
    }
    const ShownClock shown(clock,
                           parsed.now ? EpochSecondsOfLocal(*parsed.now) : clock.NowSeconds());
    const RunHistory history = ReadRunHistory(parsed.dataFolder, shown, CurrentBootTag());
    if (!history.error.empty()) {
        return ReportUnreadable(kCommand, history.error, err);
    }
    const int count = parsed.periodUnit.empty() ? kDefaultDays : parsed.periodCount;
    const std::vector<UsageBucket> buckets =
        UsageTimeline(history.pastRuns, history.liveRun)
            .ByPeriod(PeriodOf(parsed.periodUnit), count, shown.NowSeconds());
    if (parsed.csv) {
        WriteUsageCsv(buckets, out);
    } else {
        WriteUsageLines(buckets, barColumns > kLineStart ? barColumns - kLineStart : 0, out);
    }
    return kExitDone;
}

int UsageCommand(std::span<const std::string> arguments, std::ostream& out, std::ostream& err) {
    const SystemClock clock;
    return RunUsageCommand(arguments, clock, TerminalColumns(), out, err);
}

}  // namespace veltaro
