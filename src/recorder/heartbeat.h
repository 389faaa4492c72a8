#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>

#include "platform/clock.h"
#include "platform/exit_signal.h"
#include "recorder/run_log.h"
#include "recorder/run_record.h"

namespace veltaro {

inline constexpr std::chrono::milliseconds kHeartbeatWait{310};
// How often runs that wait for the log are tried again: slow, since the cause (a full disk, a
// read-only folder) is for the user to mend.
inline constexpr std::chrono::seconds kWaitingRunsRetry{30};

struct HeartbeatSetup {
    std::filesystem::path dataFolder;
    std::uint32_t currentBootTag = 0;
    // What the start-up left to do: runs waiting for the log, or one only the files hold.
    EarlierRunsState earlierRuns;
    std::chrono::milliseconds wait = kHeartbeatWait;
    std::chrono::milliseconds retry = kWaitingRunsRetry;
};

// The heartbeat thread's procedure: keeps the run time of `currentRun` up to date and writes the
// run into the two heartbeat files in turn, one file per `wait`, until `exitSignal` is set.
// Returns 0. Writing two files means a power loss during one write still leaves the other whole.
// Earlier runs that wait for the log are tried again every `retry`; while the files are the only
// place of one, they are not written.
int HeartbeatThread(RunRecord& currentRun, const Clock& clock, ExitSignal& exitSignal,
                    const HeartbeatSetup& setup);

}  // namespace veltaro
