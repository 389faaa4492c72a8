#include "recorder/heartbeat.h"

#include "recorder/data_files.h"
#include "recorder/record_file.h"

namespace veltaro {
namespace {

void Beat(RunRecord& currentRun, std::uint64_t tickMs, const std::filesystem::path& file) {
    StoreDurationMs(currentRun, static_cast<std::int64_t>(tickMs));
    // A file that can't be written now is tried again on the next beat.
    WriteHeartbeatRecord(file, SnapshotOf(currentRun));
}

}  // namespace

int HeartbeatThread(RunRecord& currentRun, const Clock& clock, ExitSignal& exitSignal,
                    const std::filesystem::path& dataFolder, std::chrono::milliseconds wait) {
    const std::filesystem::path first = HeartbeatPath(dataFolder, 1);
    const std::filesystem::path second = HeartbeatPath(dataFolder, 2);
    for (;;) {
        const std::uint64_t sampled = clock.TickMs();
        // An exit during this wait still leaves the latest state in the first file.
        exitSignal.WaitFor(wait);
        Beat(currentRun, sampled, first);
        if (exitSignal.WaitFor(wait)) {
            return 0;
        }
        Beat(currentRun, clock.TickMs(), second);
        if (exitSignal.IsSet()) {
            return 0;
        }
    }
}

}  // namespace veltaro
