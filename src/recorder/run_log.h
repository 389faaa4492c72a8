#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "platform/clock.h"
#include "recorder/past_runs.h"
#include "recorder/run_record.h"

namespace veltaro {

enum class MergeOutcome {
    NoHeartbeat,    // neither heartbeat file holds a record: first start, or files deleted
    RunGoesOn,      // the heartbeat files describe the run in progress: the program was restarted
    AlreadyStored,  // the heartbeat files hold an earlier run that is already in the log
    Appended,       // the previous run was appended to the run log
    KeptPending,    // the log could not take it: it waits in pending.tm for a later attempt
    NotStored,      // nothing could take it: the heartbeat files keep it, and must not be rewritten
};

// The result of one attempt to bring the earlier runs into the log.
struct SettledRuns {
    MergeOutcome outcome = MergeOutcome::NoHeartbeat;
    std::vector<RunRecord> appended;   // now in the log, in order
    std::vector<RunRecord> unwritten;  // still waiting: in pending.tm, or only in the heartbeat
};

// Appends the runs waiting in pending.tm and the earlier run of `heartbeat` (the latest heartbeat
// record, if any) to the log of `dataFolder`, each once; what the log can't take is kept in
// pending.tm. Used at start-up and while running, until the log takes them.
SettledRuns SettleEarlierRuns(const std::filesystem::path& dataFolder,
                              const std::optional<RunRecord>& heartbeat,
                              std::uint32_t currentBootTag, std::uint64_t tickNowMs,
                              std::int64_t nowSeconds);

// While the log can't take an earlier run, the heartbeat keeps trying; and while nothing but the
// heartbeat files holds it, the heartbeat must not overwrite them.
struct EarlierRunsState {
    bool waiting = false;  // runs wait for the log
    bool heldInHeartbeat = false;
};
EarlierRunsState StateOf(const SettledRuns& settled);

struct LoadedRunLog {
    PastRuns pastRuns;     // the log, then the runs that are not in it yet
    RunRecord currentRun;  // start time and boot tag fixed; the heartbeat moves the rest
    MergeOutcome merge = MergeOutcome::NoHeartbeat;
    EarlierRunsState earlierRuns;
};

// The current run as `clock` sees it: started uptime ago, lasting the uptime so far. A heartbeat
// record of the same boot knows its start already: taking it keeps the start time the same from
// one start of the program to the next, where now - uptime may differ by a second.
RunRecord CurrentRunAt(const Clock& clock, std::uint32_t currentBootTag,
                       const std::optional<RunRecord>& heartbeat = std::nullopt);

// Start-up: merges the earlier runs into the run log, points both heartbeat files at the current
// run once nothing but them holds an earlier run, and loads the log. Creates a missing data
// folder. Call before the heartbeat starts.
LoadedRunLog LoadRunLog(const Clock& clock, std::uint32_t currentBootTag,
                        const std::filesystem::path& dataFolder);

}  // namespace veltaro
