#pragma once

#include <filesystem>

namespace veltaro {

// The run log, the two heartbeat files and the runs waiting for the log, all in the program's
// data folder.
std::filesystem::path RunLogPath(const std::filesystem::path& dataFolder);
// `which` is 1 or 2: the heartbeat writes the two files in turn.
std::filesystem::path HeartbeatPath(const std::filesystem::path& dataFolder, int which);
std::filesystem::path PendingRunsPath(const std::filesystem::path& dataFolder);

}  // namespace veltaro
