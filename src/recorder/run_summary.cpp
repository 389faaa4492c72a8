#include "recorder/run_summary.h"

#include <limits>

#include "platform/clock.h"

namespace veltaro {
namespace {

// A damaged record can hold any run time: the sum saturates instead of overflowing.
std::int64_t AddRunTime(std::int64_t sum, std::int64_t durationMs) {
    std::int64_t result = 0;
    if (__builtin_add_overflow(sum, durationMs, &result)) {
        return durationMs > 0 ? std::numeric_limits<std::int64_t>::max()
                              : std::numeric_limits<std::int64_t>::min();
    }
    return result;
}

// Run `index` (0-based) of the log followed by the current run.
RunSummary SummaryAt(std::span<const RunRecord> runLog, const RunRecord& currentRun,
                     std::size_t index, std::int64_t earlierMs) {
    RunSummary summary;
    summary.ordinal = static_cast<int>(index + 1);
    summary.live = index == runLog.size();
    summary.record = summary.live ? currentRun : runLog[index];
    summary.cumulativeMs = AddRunTime(earlierMs, summary.record.durationMs);
    return summary;
}

}  // namespace

std::tm ShutdownTimeOf(const RunRecord& pastRun) {
    std::tm start = TmFromStartTime(pastRun.startTime);
    const std::int64_t startSeconds = static_cast<std::int64_t>(std::mktime(&start));
    return LocalTime(startSeconds + pastRun.durationMs / 1000);
}

std::optional<RunSummary> SummaryOfRun(std::span<const RunRecord> runLog,
                                       const RunRecord& currentRun, int ordinal) {
    if (ordinal < 1 || static_cast<std::size_t>(ordinal) > runLog.size() + 1) {
        return std::nullopt;
    }
    const auto index = static_cast<std::size_t>(ordinal - 1);
    std::int64_t earlierMs = 0;
    for (const RunRecord& earlier : runLog.first(index)) {
        earlierMs = AddRunTime(earlierMs, earlier.durationMs);
    }
    return SummaryAt(runLog, currentRun, index, earlierMs);
}

std::vector<RunSummary> SummariesOfAllRuns(std::span<const RunRecord> runLog,
                                           const RunRecord& currentRun) {
    std::vector<RunSummary> summaries;
    summaries.reserve(runLog.size() + 1);
    std::int64_t earlierMs = 0;
    for (std::size_t index = 0; index <= runLog.size(); ++index) {
        summaries.push_back(SummaryAt(runLog, currentRun, index, earlierMs));
        earlierMs = summaries.back().cumulativeMs;
    }
    return summaries;
}

}  // namespace veltaro
