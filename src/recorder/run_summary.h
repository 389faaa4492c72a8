#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <span>
#include <vector>

#include "recorder/run_record.h"

namespace veltaro {

// One run as the history shows it. Runs are numbered from 1 in log order; the run after the last
// past run is the live one.
struct RunSummary {
    int ordinal = 1;
    RunRecord record;
    bool live = false;
    // The run times of all runs before this one plus its own.
    std::int64_t cumulativeMs = 0;
};

// The local time at which a past run was last seen running: its start plus its whole seconds.
std::tm ShutdownTimeOf(const RunRecord& pastRun);

// Run `ordinal` of `runLog` followed by `currentRun`; empty when there is no such run.
std::optional<RunSummary> SummaryOfRun(std::span<const RunRecord> runLog,
                                       const RunRecord& currentRun, int ordinal);

// Every run of `runLog` followed by `currentRun`, in order.
std::vector<RunSummary> SummariesOfAllRuns(std::span<const RunRecord> runLog,
                                           const RunRecord& currentRun);

}  // namespace veltaro
