#include "recorder/data_files.h"

namespace veltaro {

std::filesystem::path RunLogPath(const std::filesystem::path& dataFolder) {
    return dataFolder / "durmet.tm";
}

std::filesystem::path HeartbeatPath(const std::filesystem::path& dataFolder, int which) {
    return dataFolder / (which == 1 ? "tmptime1.tm" : "tmptime2.tm");
}

std::filesystem::path PendingRunsPath(const std::filesystem::path& dataFolder) {
    return dataFolder / "pending.tm";
}

}  // namespace veltaro
