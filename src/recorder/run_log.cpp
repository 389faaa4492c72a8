#include "recorder/run_log.h"

#include <system_error>

#include "platform/problem_report.h"
#include "recorder/data_files.h"
#include "recorder/previous_run.h"
#include "recorder/record_file.h"

namespace veltaro {
namespace {

MergeOutcome OutcomeOf(HeartbeatRun heartbeat) {
    switch (heartbeat) {
        case HeartbeatRun::None:
            return MergeOutcome::NoHeartbeat;
        case HeartbeatRun::InProgress:
            return MergeOutcome::RunGoesOn;
        case HeartbeatRun::AlreadyStored:
            return MergeOutcome::AlreadyStored;
        case HeartbeatRun::Earlier:
            break;
    }
    return MergeOutcome::Appended;
}

// The log could not take the runs: they wait in pending.tm, or, when even that fails, the one
// that only the heartbeat files hold stays there.
SettledRuns KeepWaiting(const std::filesystem::path& dataFolder, const MergePlan& plan,
                        const std::string& reason) {
    const std::filesystem::path log = RunLogPath(dataFolder);
    ReportProblemOnce("append", "cannot append to " + log.string() + ": " + reason +
                                    "; the runs wait for it in pending.tm");
    SettledRuns settled{OutcomeOf(plan.heartbeat), {}, plan.runs};
    const bool earlierRun = plan.heartbeat == HeartbeatRun::Earlier;
    if (WritePendingRuns(PendingRunsPath(dataFolder), plan.runs)) {
        ForgetProblem("pending");
        settled.outcome = earlierRun ? MergeOutcome::KeptPending : settled.outcome;
    } else {
        ReportProblemOnce("pending", "cannot write " + PendingRunsPath(dataFolder).string() +
                                         ": the previous run stays in the heartbeat files");
        settled.outcome = earlierRun ? MergeOutcome::NotStored : settled.outcome;
    }
    return settled;
}

}  // namespace

SettledRuns SettleEarlierRuns(const std::filesystem::path& dataFolder,
                              const std::optional<RunRecord>& heartbeat,
                              std::uint32_t currentBootTag, std::uint64_t tickNowMs,
                              std::int64_t nowSeconds) {
    const std::filesystem::path pendingFile = PendingRunsPath(dataFolder);
    const std::vector<RunRecord> waiting = ReadPendingRuns(pendingFile);
    const RunLogRead tail =
        ReadRunLogTail(RunLogPath(dataFolder), waiting.size() + kStoredRunsChecked);
    const MergePlan plan = PlanMerge(tail.records, waiting, heartbeat, currentBootTag, tickNowMs);
    if (plan.runs.empty()) {
        if (!waiting.empty()) {
            WritePendingRuns(pendingFile, {});  // all of them reached the log already
        }
        return {OutcomeOf(plan.heartbeat), {}, {}};
    }
    const AppendResult appended = AppendRunRecords(RunLogPath(dataFolder), plan.runs, nowSeconds);
    if (!appended.stored) {
        return KeepWaiting(dataFolder, plan, appended.error);
    }
    ForgetProblem("append");
    // Appended and flushed first: a stop before this removal leaves runs that the log's end
    // already shows as stored.
    WritePendingRuns(pendingFile, {});
    return {OutcomeOf(plan.heartbeat), plan.runs, {}};
}

EarlierRunsState StateOf(const SettledRuns& settled) {
    return {!settled.unwritten.empty(), settled.outcome == MergeOutcome::NotStored};
}

RunRecord CurrentRunAt(const Clock& clock, std::uint32_t currentBootTag,
                       const std::optional<RunRecord>& heartbeat) {
    const std::uint64_t tickMs = clock.TickMs();
    RunRecord run;
    if (heartbeat && currentBootTag != 0 && heartbeat->bootTag == currentBootTag) {
        run.startTime = heartbeat->startTime;
    } else {
        const std::int64_t start = clock.NowSeconds() - static_cast<std::int64_t>(tickMs / 1000);
        run.startTime = StartTimeFromTm(LocalTime(start));
    }
    run.bootTag = currentBootTag;
    run.durationMs = static_cast<std::int64_t>(tickMs);
    return run;
}

LoadedRunLog LoadRunLog(const Clock& clock, std::uint32_t currentBootTag,
                        const std::filesystem::path& dataFolder) {
    // On a first start the per-user data folder may not exist yet; without it nothing is recorded.
    std::error_code ignored;
    std::filesystem::create_directories(dataFolder, ignored);
    const std::optional<RunRecord> heartbeat = ReadLatestHeartbeat(dataFolder);
    LoadedRunLog loaded;
    loaded.currentRun = CurrentRunAt(clock, currentBootTag, heartbeat);
    const auto tickNowMs = static_cast<std::uint64_t>(loaded.currentRun.durationMs);
    const SettledRuns settled =
        SettleEarlierRuns(dataFolder, heartbeat, currentBootTag, tickNowMs, clock.NowSeconds());
    loaded.merge = settled.outcome;
    loaded.earlierRuns = StateOf(settled);
    if (settled.outcome != MergeOutcome::NotStored) {
        // Until the heartbeat's first write the files would still hold the merged run; flushed,
        // so a power cut can't bring it back.
        WriteHeartbeatRecord(HeartbeatPath(dataFolder, 1), loaded.currentRun, true);
        WriteHeartbeatRecord(HeartbeatPath(dataFolder, 2), loaded.currentRun, true);
    }
    RunLogRead log = ReadRunLog(RunLogPath(dataFolder));
    if (!log.error.empty()) {
        ReportProblemOnce("read-log", log.error);
    }
    loaded.pastRuns = PastRuns(std::move(log.records), settled.unwritten);
    if (const std::size_t damaged = loaded.pastRuns.DamagedCount()) {
        ReportProblemOnce("damaged-log", std::to_string(damaged) + " damaged record(s) in " +
                                             RunLogPath(dataFolder).string() +
                                             " are shown as such and left out of the sums");
    }
    return loaded;
}

}  // namespace veltaro
