#pragma once

#include <chrono>
#include <filesystem>

#include "platform/clock.h"
#include "platform/exit_signal.h"
#include "recorder/run_record.h"

namespace veltaro {

inline constexpr std::chrono::milliseconds kHeartbeatWait{310};

// The heartbeat thread's procedure: keeps the run time of `currentRun` up to date and writes the
// run into the two heartbeat files of `dataFolder` in turn, one file per `wait`, until
// `exitSignal` is set. Returns 0. Writing two files means a power loss during one write (which
// truncates it first) still leaves the other whole.
int HeartbeatThread(RunRecord& currentRun, const Clock& clock, ExitSignal& exitSignal,
                    const std::filesystem::path& dataFolder,
                    std::chrono::milliseconds wait = kHeartbeatWait);

}  // namespace veltaro
