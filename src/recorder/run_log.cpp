#include "recorder/run_log.h"

#include <system_error>

#include "recorder/data_files.h"
#include "recorder/previous_run.h"
#include "recorder/record_file.h"

namespace veltaro {
namespace {

MergeOutcome MergePreviousRun(const std::filesystem::path& dataFolder, std::uint32_t currentBootTag,
                              std::uint64_t tickNowMs) {
    const std::optional<RunRecord> chosen = ReadLatestHeartbeat(dataFolder);
    if (!chosen) {
        return MergeOutcome::NoHeartbeat;
    }
    if (!IsEarlierRun(*chosen, currentBootTag, tickNowMs)) {
        return MergeOutcome::RunGoesOn;
    }
    return AppendRunRecord(RunLogPath(dataFolder), *chosen) ? MergeOutcome::Appended
                                                            : MergeOutcome::AppendFailed;
}

}  // namespace

RunRecord CurrentRunAt(const Clock& clock, std::uint32_t currentBootTag) {
    const std::uint64_t tickMs = clock.TickMs();
    const std::int64_t start = clock.NowSeconds() - static_cast<std::int64_t>(tickMs / 1000);
    RunRecord run;
    run.startTime = StartTimeFromTm(LocalTime(start));
    run.bootTag = currentBootTag;
    run.durationMs = static_cast<std::int64_t>(tickMs);
    return run;
}

LoadedRunLog LoadRunLog(const Clock& clock, std::uint32_t currentBootTag,
                        const std::filesystem::path& dataFolder) {
    // On a first start the per-user data folder may not exist yet; without it nothing is recorded.
    std::error_code ignored;
    std::filesystem::create_directories(dataFolder, ignored);
    LoadedRunLog loaded;
    loaded.currentRun = CurrentRunAt(clock, currentBootTag);
    const auto tickNowMs = static_cast<std::uint64_t>(loaded.currentRun.durationMs);
    loaded.merge = MergePreviousRun(dataFolder, currentBootTag, tickNowMs);
    // Until the heartbeat's first write the files would still hold the merged run, and a second
    // start in that moment would append it again; flushed, so a power cut can't bring it back.
    WriteHeartbeatRecord(HeartbeatPath(dataFolder, 1), loaded.currentRun, true);
    WriteHeartbeatRecord(HeartbeatPath(dataFolder, 2), loaded.currentRun, true);
    loaded.runLog = ReadRunLog(RunLogPath(dataFolder)).records;
    return loaded;
}

}  // namespace veltaro
