#include "recorder/previous_run.h"

#include "recorder/data_files.h"
#include "recorder/record_file.h"

namespace veltaro {

std::optional<RunRecord> ChooseHeartbeatRecord(const std::optional<RunRecord>& first,
                                               const std::optional<RunRecord>& second) {
    const std::int64_t best = first ? first->durationMs : 0;
    if (second && second->durationMs > best) {
        return second;
    }
    return first;
}

std::optional<RunRecord> ReadLatestHeartbeat(const std::filesystem::path& dataFolder) {
    return ChooseHeartbeatRecord(ReadHeartbeatRecord(HeartbeatPath(dataFolder, 1)),
                                 ReadHeartbeatRecord(HeartbeatPath(dataFolder, 2)));
}

bool IsEarlierRun(const RunRecord& heartbeat, std::uint32_t currentBootTag,
                  std::uint64_t tickNowMs) {
    if (heartbeat.bootTag != 0 && currentBootTag != 0) {
        return heartbeat.bootTag != currentBootTag;
    }
    return heartbeat.durationMs > 0 && static_cast<std::uint64_t>(heartbeat.durationMs) > tickNowMs;
}

std::optional<RunRecord> PendingPreviousRun(const std::filesystem::path& dataFolder,
                                            std::uint32_t currentBootTag, std::uint64_t tickNowMs) {
    const std::optional<RunRecord> chosen = ReadLatestHeartbeat(dataFolder);
    if (chosen && IsEarlierRun(*chosen, currentBootTag, tickNowMs)) {
        return chosen;
    }
    return std::nullopt;
}

}  // namespace veltaro
