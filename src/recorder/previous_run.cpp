#include "recorder/previous_run.h"

#include <algorithm>

#include "recorder/data_files.h"
#include "recorder/record_file.h"

namespace veltaro {
namespace {

bool Holds(std::span<const RunRecord> runs, const RunRecord& run) {
    return std::any_of(runs.begin(), runs.end(),
                       [&](const RunRecord& held) { return IsSameRun(held, run); });
}

}  // namespace

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

MergePlan PlanMerge(std::span<const RunRecord> logTail, std::span<const RunRecord> waiting,
                    const std::optional<RunRecord>& heartbeat, std::uint32_t currentBootTag,
                    std::uint64_t tickNowMs) {
    MergePlan plan;
    for (const RunRecord& run : waiting) {
        if (!Holds(logTail, run) && !Holds(plan.runs, run)) {
            plan.runs.push_back(run);
        }
    }
    if (!heartbeat) {
        return plan;
    }
    if (!IsEarlierRun(*heartbeat, currentBootTag, tickNowMs)) {
        plan.heartbeat = HeartbeatRun::InProgress;
    } else if (Holds(logTail, *heartbeat) || Holds(waiting, *heartbeat)) {
        plan.heartbeat = HeartbeatRun::AlreadyStored;
    } else {
        plan.heartbeat = HeartbeatRun::Earlier;
        plan.runs.push_back(*heartbeat);
    }
    return plan;
}

}  // namespace veltaro
