#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

#include "platform/interface_language.h"
#include "recorder/past_runs.h"
#include "recorder/run_record.h"
#include "recorder/run_summary.h"

namespace veltaro {

// The five lines with which the history shows one run.
struct HistoryLines {
    std::string caption;  // which start-up the run was
    std::string startup;
    std::string shutdown;
    std::string runTime;
    std::string cumulative;
};

// A local time as the history and the companion's tables show it: 2008/03/01 23:30:00, with
// `dateSeparator` between the parts of the date.
std::string DateTimeText(const std::tm& time, char dateSeparator = '/');

// A span of time as the history shows it: "1 Hours 00 Minutes 00 Seconds  (Sum:0 Days 01 Hours)".
std::string SpanText(std::int64_t milliseconds, int language);

std::string OrdinalCaption(int ordinal, int language);
std::string StartupLine(const StartTime& start, int language);
// `shutdown` is empty for the live run, whose end is not known yet.
std::string ShutdownLine(const std::optional<std::tm>& shutdown, int language);
std::string RunTimeLine(std::int64_t durationMs, int language);
std::string CumulativeLine(std::int64_t cumulativeMs, int language);

HistoryLines HistoryLinesOf(const RunSummary& run, int language);

// The lines of run `ordinal` of `pastRuns` followed by `currentRun` (take it with SnapshotOf while
// the heartbeat runs); empty when there is no such run.
std::optional<HistoryLines> HistoryLinesOfRun(const PastRuns& pastRuns, const RunRecord& currentRun,
                                              int ordinal, int language);

}  // namespace veltaro
