#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

#include "recorder/run_record.h"

namespace veltaro {

// Which of the two heartbeat records is the last known state of their run: the longer one, the
// first file's on a tie.
std::optional<RunRecord> ChooseHeartbeatRecord(const std::optional<RunRecord>& first,
                                               const std::optional<RunRecord>& second);

// The chosen record of the two heartbeat files of `dataFolder`, if either holds one.
std::optional<RunRecord> ReadLatestHeartbeat(const std::filesystem::path& dataFolder);

// Whether a heartbeat record belongs to an earlier run of the computer than the one in progress.
// Boot tags decide when both are known; otherwise a run time beyond the current uptime does.
bool IsEarlierRun(const RunRecord& heartbeat, std::uint32_t currentBootTag,
                  std::uint64_t tickNowMs);

// The earlier run still held by the heartbeat files of `dataFolder`, which the next start merges
// into the run log. Only reads.
std::optional<RunRecord> PendingPreviousRun(const std::filesystem::path& dataFolder,
                                            std::uint32_t currentBootTag, std::uint64_t tickNowMs);

}  // namespace veltaro
