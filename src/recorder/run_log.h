#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "platform/clock.h"
#include "recorder/run_record.h"

namespace veltaro {

enum class MergeOutcome {
    NoHeartbeat,   // neither heartbeat file holds a record: first start, or files deleted
    RunGoesOn,     // the heartbeat files describe the run in progress: the program was restarted
    Appended,      // the previous run was appended to the run log
    AppendFailed,  // the previous run could not be stored
};

struct LoadedRunLog {
    std::vector<RunRecord> runLog;  // past runs, oldest first
    RunRecord currentRun;           // start time and boot tag fixed; the heartbeat moves the rest
    MergeOutcome merge = MergeOutcome::NoHeartbeat;
};

// The current run as `clock` sees it: started uptime ago, lasting the uptime so far.
RunRecord CurrentRunAt(const Clock& clock, std::uint32_t currentBootTag);

// Start-up: merges the previous run held by the heartbeat files into the run log, points both
// heartbeat files at the current run, and loads the log. Creates a missing data folder. Call
// before the heartbeat starts.
LoadedRunLog LoadRunLog(const Clock& clock, std::uint32_t currentBootTag,
                        const std::filesystem::path& dataFolder);

}  // namespace veltaro
