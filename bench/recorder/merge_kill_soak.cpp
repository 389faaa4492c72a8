// Kill soak of the start-up merge: 1,000 starts, each finding the run of the start before it
// waiting in the heartbeat files (a new boot every time), each killed with SIGKILL at a random
// moment of its merge or heartbeat. Afterwards every run that reached the heartbeat files must be
// in the log exactly once, as whole records. Prints the figures; exits 1 when a run was lost or
// counted twice.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <random>
#include <set>
#include <thread>

#include "platform/exit_signal.h"
#include "recorder/data_files.h"
#include "recorder/heartbeat.h"
#include "recorder/previous_run.h"
#include "recorder/record_file.h"
#include "recorder/run_log.h"
#include "temp_folder.h"

namespace {

using namespace veltaro;

constexpr int kStarts = 1000;

// Boot `boot`, up for a little longer than every boot before it, so the newest heartbeat record
// is always the longer one.
class BootClock final : public Clock {
public:
    explicit BootClock(std::uint32_t boot) : boot_(boot) {}
    std::int64_t NowSeconds() const override { return 1'765'000'000 + boot_ * 100; }
    std::uint64_t TickMs() const override { return 60'000 + boot_ * 10 + ticks_++; }

private:
    std::uint32_t boot_;
    mutable std::uint64_t ticks_ = 0;
};

// The start of the program in boot `boot`: the merge, then a heartbeat until killed or done.
[[noreturn]] void StartInChild(const std::filesystem::path& folder, std::uint32_t boot) {
    const BootClock clock(boot);
    LoadedRunLog loaded = LoadRunLog(clock, boot, folder);
    ExitSignal exitSignal;
    HeartbeatSetup setup{folder, boot, loaded.earlierRuns, std::chrono::milliseconds(1)};
    std::thread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
        exitSignal.Set();
    });
    HeartbeatThread(loaded.currentRun, clock, exitSignal, setup);
    stopper.join();
    ::_exit(0);
}

// Runs that the next start will have to merge: the latest heartbeat run and those in pending.tm.
void NoteWaitingRuns(const std::filesystem::path& folder, std::set<std::uint32_t>& expected) {
    if (const std::optional<RunRecord> latest = ReadLatestHeartbeat(folder)) {
        expected.insert(latest->bootTag);
    }
    for (const RunRecord& run : ReadPendingRuns(PendingRunsPath(folder))) {
        expected.insert(run.bootTag);
    }
}

}  // namespace

int main() {
    const testing::TempFolder folder;
    std::mt19937 random(20261211);
    std::uniform_int_distribution<int> delayUs(0, 20000);
    std::set<std::uint32_t> expected;
    int killedBeforeEnd = 0;
    for (std::uint32_t boot = 1; boot <= kStarts; ++boot) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            StartInChild(folder.Path(), boot);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        killedBeforeEnd += WIFSIGNALED(status) ? 1 : 0;
        NoteWaitingRuns(folder.Path(), expected);
    }
    // One last start in a new boot merges what the last killed one left.
    const BootClock clock(kStarts + 1);
    LoadRunLog(clock, kStarts + 1, folder.Path());

    const RunLogRead log = ReadRunLog(RunLogPath(folder.Path()));
    std::map<std::uint32_t, int> counts;
    for (const RunRecord& run : log.records) {
        ++counts[run.bootTag];
    }
    int twice = 0;
    int missing = 0;
    int unexpected = 0;
    for (const auto& [boot, count] : counts) {
        twice += count > 1 ? 1 : 0;
        unexpected += expected.count(boot) == 0 ? 1 : 0;
    }
    for (const std::uint32_t boot : expected) {
        missing += counts.count(boot) == 0 ? 1 : 0;
    }
    std::printf("starts: %d, killed before their end: %d\n", kStarts, killedBeforeEnd);
    std::printf("runs that reached the heartbeat files: %zu, in the log: %zu records\n",
                expected.size(), log.records.size());
    std::printf("missing: %d, counted twice: %d, never waiting: %d, partial bytes: %zu\n", missing,
                twice, unexpected, log.partialBytes);
    return missing == 0 && twice == 0 && unexpected == 0 && log.partialBytes == 0 ? 0 : 1;
}
