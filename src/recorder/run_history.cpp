#include "recorder/run_history.h"

#include "recorder/data_files.h"
#include "recorder/previous_run.h"
#include "recorder/record_file.h"
#include "recorder/run_log.h"

namespace veltaro {

RunHistory ReadRunHistory(const std::filesystem::path& dataFolder, const Clock& clock,
                          std::uint32_t currentBootTag) {
    RunHistory history;
    history.liveRun = CurrentRunAt(clock, currentBootTag);
    RunLogRead log = ReadRunLog(RunLogPath(dataFolder));
    if (!log.error.empty()) {
        history.error = std::move(log.error);
        return history;
    }
    history.pastRuns = std::move(log.records);
    const auto tickNowMs = static_cast<std::uint64_t>(history.liveRun.durationMs);
    if (auto pending = PendingPreviousRun(dataFolder, currentBootTag, tickNowMs)) {
        history.pastRuns.push_back(*pending);
    }
    return history;
}

}  // namespace veltaro
