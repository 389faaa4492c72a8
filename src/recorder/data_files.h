#pragma once

#include <filesystem>

namespace veltaro {

// The run log and the two heartbeat files, all in the program's data folder.
std::filesystem::path RunLogPath(const std::filesystem::path& dataFolder);
// `which` is 1 or 2: the heartbeat writes the two files in turn.
std::filesystem::path HeartbeatPath(const std::filesystem::path& dataFolder, int which);

}  // namespace veltaro
