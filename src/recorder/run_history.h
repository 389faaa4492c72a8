#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/clock.h"
#include "recorder/past_runs.h"
#include "recorder/run_record.h"

namespace veltaro {

// The whole history as the next start of the program would see it, read without writing.
struct RunHistory {
    // The runs of the log, then the earlier runs that wait for it (in pending.tm, or only in the
    // heartbeat files), marked as not yet written.
    PastRuns pastRuns;
    RunRecord liveRun;
    // Why the log could not be read; empty when it was read or does not exist yet.
    std::string error;
};

RunHistory ReadRunHistory(const std::filesystem::path& dataFolder, const Clock& clock,
                          std::uint32_t currentBootTag);

}  // namespace veltaro
