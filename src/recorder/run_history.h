#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "recorder/run_record.h"

namespace veltaro {

// The whole history as the next start of the program would see it, read without writing.
struct RunHistory {
    // The runs of the log, then a previous run the heartbeat files still hold for the next merge.
    std::vector<RunRecord> pastRuns;
    RunRecord liveRun;
    // Why the log could not be read; empty when it was read or does not exist yet.
    std::string error;
};

RunHistory ReadRunHistory(const std::filesystem::path& dataFolder, const Clock& clock,
                          std::uint32_t currentBootTag);

}  // namespace veltaro
