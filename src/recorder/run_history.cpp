#include "recorder/run_history.h"

#include <algorithm>

#include "recorder/data_files.h"
#include "recorder/previous_run.h"
#include "recorder/record_file.h"
#include "recorder/run_log.h"

namespace veltaro {

RunHistory ReadRunHistory(const std::filesystem::path& dataFolder, const Clock& clock,
                          std::uint32_t currentBootTag) {
    RunHistory history;
    const std::optional<RunRecord> heartbeat = ReadLatestHeartbeat(dataFolder);
    history.liveRun = CurrentRunAt(clock, currentBootTag, heartbeat);
    RunLogRead log = ReadRunLog(RunLogPath(dataFolder));
    if (!log.error.empty()) {
        history.error = std::move(log.error);
        return history;
    }
    const std::vector<RunRecord> waiting = ReadPendingRuns(PendingRunsPath(dataFolder));
    const std::size_t checked = std::min(log.records.size(), waiting.size() + kStoredRunsChecked);
    const MergePlan plan =
        PlanMerge(std::span(log.records).last(checked), waiting, heartbeat, currentBootTag,
                  static_cast<std::uint64_t>(history.liveRun.durationMs));
    history.pastRuns = PastRuns(std::move(log.records), plan.runs);
    return history;
}

}  // namespace veltaro
