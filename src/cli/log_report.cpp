#include "cli/log_report.h"

#include <cstdio>

#include "cli/command_status.h"
#include "cli/subcommand.h"
#include "recorder/history_text.h"
#include "recorder/run_history.h"

namespace veltaro {
namespace {

std::string CsvTime(const std::tm& time) {
    char text[64];
    std::snprintf(text, sizeof text, "%04lld-%02lld-%02d %02d:%02d:%02d", time.tm_year + 1900LL,
                  time.tm_mon + 1LL, time.tm_mday, time.tm_hour, time.tm_min, time.tm_sec);
    return text;
}

}  // namespace

void WriteTextReport(std::span<const RunSummary> runs, int language, std::ostream& out) {
    bool first = true;
    for (const RunSummary& run : runs) {
        if (!first) {
            out << '\n';
        }
        first = false;
        const HistoryLines lines = HistoryLinesOf(run, language);
        out << lines.caption << '\n'
            << lines.startup << '\n'
            << lines.shutdown << '\n'
            << lines.runTime << '\n'
            << lines.cumulative << '\n';
    }
}

void WriteCsvReport(std::span<const RunSummary> runs, std::ostream& out) {
    out << "ordinal,startup,shutdown,run_seconds,cumulative_seconds\n";
    for (const RunSummary& run : runs) {
        out << run.ordinal << ',' << CsvTime(TmFromStartTime(run.record.startTime)) << ','
            << (run.live ? "" : CsvTime(ShutdownTimeOf(run.record))) << ','
            << run.record.durationMs / 1000 << ',' << run.cumulativeMs / 1000 << '\n';
    }
}

int ReportRunLog(const LogOptions& options, const Clock& clock, std::uint32_t currentBootTag,
                 std::ostream& out, std::ostream& err) {
    const RunHistory history = ReadRunHistory(options.dataFolder, clock, currentBootTag);
    if (!history.error.empty()) {
        return ReportUnreadable("log", history.error, err);
    }
    const std::vector<RunSummary> runs = SummariesOfAllRuns(history.pastRuns, history.liveRun);
    if (options.csv) {
        WriteCsvReport(runs, out);
    } else {
        WriteTextReport(runs, options.language, out);
    }
    return kExitDone;
}

}  // namespace veltaro
