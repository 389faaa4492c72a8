#include "recorder/run_summary.h"

#include <limits>

#include "platform/clock.h"

namespace veltaro {

std::tm ShutdownTimeOf(const RunRecord& pastRun) {
    std::tm start = TmFromStartTime(pastRun.startTime);
    const std::int64_t startSeconds = static_cast<std::int64_t>(std::mktime(&start));
    return LocalTime(startSeconds + pastRun.durationMs / 1000);
}

std::optional<RunSummary> SummaryOfRun(const PastRuns& pastRuns, const RunRecord& currentRun,
                                       int ordinal) {
    if (ordinal < 1 || static_cast<std::size_t>(ordinal) > pastRuns.Count() + 1) {
        return std::nullopt;
    }
    const auto index = static_cast<std::size_t>(ordinal - 1);
    RunSummary summary;
    summary.ordinal = ordinal;
    summary.live = index == pastRuns.Count();
    summary.record = summary.live ? currentRun : pastRuns[index];
    summary.damaged = !summary.live && pastRuns.IsDamaged(index);
    summary.unwritten = !summary.live && pastRuns.IsUnwritten(index);
    const std::int64_t own = summary.damaged ? 0 : summary.record.durationMs;
    if (__builtin_add_overflow(pastRuns.CumulativeMsBefore(index), own, &summary.cumulativeMs)) {
        summary.cumulativeMs = std::numeric_limits<std::int64_t>::max();
    }
    return summary;
}

}  // namespace veltaro
