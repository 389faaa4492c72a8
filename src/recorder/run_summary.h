#pragma once

#include <cstdint>
#include <ctime>
#include <optional>

#include "recorder/past_runs.h"
#include "recorder/run_record.h"

namespace veltaro {

// One run as the history shows it. Runs are numbered from 1 in log order; the run after the last
// past run is the live one.
struct RunSummary {
    int ordinal = 1;
    RunRecord record;
    bool live = false;
    bool damaged = false;    // a record no real run can have: shown as such, not counted
    bool unwritten = false;  // a past run still waiting to be written to the log
    // The run times of all undamaged runs before this one plus its own.
    std::int64_t cumulativeMs = 0;
};

// The local time at which a past run was last seen running: its start plus its whole seconds.
std::tm ShutdownTimeOf(const RunRecord& pastRun);

// Run `ordinal` of `pastRuns` followed by `currentRun`; empty when there is no such run.
std::optional<RunSummary> SummaryOfRun(const PastRuns& pastRuns, const RunRecord& currentRun,
                                       int ordinal);

}  // namespace veltaro
