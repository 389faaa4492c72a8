#include "recorder/heartbeat.h"

#include <algorithm>

#include "recorder/data_files.h"
#include "recorder/previous_run.h"
#include "recorder/record_file.h"

namespace veltaro {
namespace {

class Heartbeat {
public:
    Heartbeat(RunRecord& currentRun, const Clock& clock, const HeartbeatSetup& setup)
        : currentRun_(currentRun),
          clock_(clock),
          setup_(setup),
          earlierRuns_(setup.earlierRuns),
          beatsPerRetry_(setup.wait.count() > 0 ? std::max<long long>(1, setup.retry / setup.wait)
                                                : 1) {}

    void Beat(std::uint64_t tickMs, int which) {
        StoreDurationMs(currentRun_, static_cast<std::int64_t>(tickMs));
        RetryWaitingRunsNowAndThen();
        if (!earlierRuns_.heldInHeartbeat) {
            // A file that can't be written now is tried again on the next beat.
            WriteHeartbeatRecord(HeartbeatPath(setup_.dataFolder, which), SnapshotOf(currentRun_));
        }
    }

private:
    void RetryWaitingRunsNowAndThen() {
        if (!earlierRuns_.waiting || ++beatsSinceRetry_ < beatsPerRetry_) {
            return;
        }
        beatsSinceRetry_ = 0;
        // While held, the files still hold the earlier run; otherwise they hold this one.
        const std::optional<RunRecord> heartbeat =
            earlierRuns_.heldInHeartbeat ? ReadLatestHeartbeat(setup_.dataFolder) : std::nullopt;
        earlierRuns_ =
            StateOf(SettleEarlierRuns(setup_.dataFolder, heartbeat, setup_.currentBootTag,
                                      clock_.TickMs(), clock_.NowSeconds()));
    }

    RunRecord& currentRun_;
    const Clock& clock_;
    const HeartbeatSetup& setup_;
    EarlierRunsState earlierRuns_;
    const long long beatsPerRetry_;
    long long beatsSinceRetry_ = 0;
};

}  // namespace

int HeartbeatThread(RunRecord& currentRun, const Clock& clock, ExitSignal& exitSignal,
                    const HeartbeatSetup& setup) {
    Heartbeat heartbeat(currentRun, clock, setup);
    for (;;) {
        const std::uint64_t sampled = clock.TickMs();
        // An exit during this wait still leaves the latest state in the first file.
        exitSignal.WaitFor(setup.wait);
        heartbeat.Beat(sampled, 1);
        if (exitSignal.WaitFor(setup.wait)) {
            return 0;
        }
        heartbeat.Beat(clock.TickMs(), 2);
        if (exitSignal.IsSet()) {
            return 0;
        }
    }
}

}  // namespace veltaro
