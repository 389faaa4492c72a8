#include "cli/log_report.h"

#include <string>

#include "cli/command_status.h"
#include "cli/subcommand.h"
#include "cli/usage_report.h"
#include "recorder/history_text.h"
#include "recorder/run_history.h"
#include "recorder/run_summary.h"

namespace veltaro {
namespace {

// Lines gather in a buffer of this size before they go out: far fewer stream calls, bounded memory.
constexpr std::size_t kFlushBytes = 64 * 1024;

template <class WriteRun>
void ForEachRun(const PastRuns& pastRuns, const RunRecord& liveRun, std::ostream& out,
                WriteRun writeRun) {
    std::string buffer;
    buffer.reserve(kFlushBytes + 1024);
    const int count = static_cast<int>(pastRuns.Count()) + 1;
    for (int ordinal = 1; ordinal <= count; ++ordinal) {
        writeRun(*SummaryOfRun(pastRuns, liveRun, ordinal), buffer);
        if (buffer.size() >= kFlushBytes) {
            out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
            buffer.clear();
        }
    }
    out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
}

const char* CsvStatus(const RunSummary& run) {
    if (run.live) {
        return "live";
    }
    if (run.damaged) {
        return "damaged";
    }
    return run.unwritten ? "pending" : "logged";
}

void AppendCsvRow(const RunSummary& run, std::string& row) {
    row += std::to_string(run.ordinal);
    row += ',';
    if (!run.damaged) {
        row += DateTimeText(TmFromStartTime(run.record.startTime), '-');
    }
    row += ',';
    if (!run.damaged && !run.live) {
        row += DateTimeText(ShutdownTimeOf(run.record), '-');
    }
    row += ',';
    if (!run.damaged) {
        row += std::to_string(run.record.durationMs / 1000);
    }
    row += ',';
    row += std::to_string(run.cumulativeMs / 1000);
    row += ',';
    row += CsvStatus(run);
    row += '\n';
}

}  // namespace

void WriteTextReport(const PastRuns& pastRuns, const RunRecord& liveRun, int language,
                     std::ostream& out) {
    ForEachRun(pastRuns, liveRun, out, [&](const RunSummary& run, std::string& text) {
        if (run.ordinal > 1) {
            text += '\n';
        }
        const HistoryLines lines = HistoryLinesOf(run, language);
        for (const std::string* line :
             {&lines.caption, &lines.startup, &lines.shutdown, &lines.runTime, &lines.cumulative}) {
            text += *line;
            text += '\n';
        }
    });
}

void WriteCsvReport(const PastRuns& pastRuns, const RunRecord& liveRun, std::ostream& out) {
    out << "ordinal,startup,shutdown,run_seconds,cumulative_seconds,status\n";
    ForEachRun(pastRuns, liveRun, out, AppendCsvRow);
}

int ReportRunLog(const LogOptions& options, const Clock& clock, std::uint32_t currentBootTag,
                 std::ostream& out, std::ostream& err) {
    const RunHistory history = ReadRunHistory(options.dataFolder, clock, currentBootTag);
    if (!history.error.empty()) {
        return ReportUnreadable("log", history.error, err);
    }
    if (options.summary) {
        WriteUsageSummary(
            UsageTimeline(history.pastRuns, history.liveRun).Summary(clock.NowSeconds()),
            options.language, out);
    } else if (options.csv) {
        WriteCsvReport(history.pastRuns, history.liveRun, out);
    } else {
        WriteTextReport(history.pastRuns, history.liveRun, options.language, out);
    }
    if (const std::size_t damaged = history.pastRuns.DamagedCount()) {
        err << "veltaro-cli log: skipped " << damaged
            << " damaged record(s): shown as such, left out of the cumulative time\n";
    }
    return kExitDone;
}

}  // namespace veltaro
