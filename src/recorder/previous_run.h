#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

#include "recorder/run_record.h"

namespace veltaro {

// Which of the two heartbeat records is the last known state of their run: the longer one, the
// first file's on a tie.
std::optional<RunRecord> ChooseHeartbeatRecord(const std::optional<RunRecord>& first,
                                               const std::optional<RunRecord>& second);

// The chosen record of the two heartbeat files of `dataFolder`, if either holds a plausible one.
std::optional<RunRecord> ReadLatestHeartbeat(const std::filesystem::path& dataFolder);

// Whether a heartbeat record belongs to an earlier run of the computer than the one in progress.
// Boot tags decide when both are known; otherwise a run time beyond the current uptime does.
bool IsEarlierRun(const RunRecord& heartbeat, std::uint32_t currentBootTag,
                  std::uint64_t tickNowMs);

// How many of the log's last records are enough to tell whether a run is stored already, besides
// the runs that were waiting: a start stops at worst between its append and its clean-up.
inline constexpr std::size_t kStoredRunsChecked = 8;

enum class HeartbeatRun {
    None,           // neither heartbeat file holds a record: first start, or files deleted
    InProgress,     // the record is the run in progress: the program was merely restarted
    AlreadyStored,  // an earlier run, already in the log or waiting to be appended
    Earlier,        // an earlier run that nothing holds but the heartbeat files
};

struct MergePlan {
    HeartbeatRun heartbeat = HeartbeatRun::None;
    // What goes into the log, in order: the waiting runs not yet in it, then the heartbeat's
    // earlier run when nothing else holds it.
    std::vector<RunRecord> runs;
};

// The one rule by which earlier runs reach the log, for the program and the companion alike. A run
// is stored already when a record of the same run (start time and boot tag) ends the log or waits.
MergePlan PlanMerge(std::span<const RunRecord> logTail, std::span<const RunRecord> waiting,
                    const std::optional<RunRecord>& heartbeat, std::uint32_t currentBootTag,
                    std::uint64_t tickNowMs);

}  // namespace veltaro
