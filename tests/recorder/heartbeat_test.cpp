#include "recorder/heartbeat.h"

#include <atomic>
#include <functional>
#include <thread>

#include <gtest/gtest.h>

#include "recorder/record_file.h"
#include "recorder/recorder_test_support.h"

namespace veltaro {
namespace {

using namespace std::chrono_literals;
using testing::RunStartedAt;
using testing::TempFolder;

// A tick that moves 1000 ms on every reading and lets the test act at each one.
class ScriptedClock final : public Clock {
public:
    explicit ScriptedClock(std::function<void(int reading)> onReading)
        : onReading_(std::move(onReading)) {}
    std::int64_t NowSeconds() const override { return 0; }
    std::uint64_t TickMs() const override {
        const int reading = ++readings_;
        onReading_(reading);
        return static_cast<std::uint64_t>(reading) * 1000;
    }

private:
    std::function<void(int)> onReading_;
    mutable std::atomic<int> readings_{0};
};

// The run time each heartbeat file holds, -1 for none.
struct Beats {
    std::int64_t first;
    std::int64_t second;
    bool operator==(const Beats&) const = default;
};

Beats BeatsIn(const std::filesystem::path& folder) {
    const auto first = ReadHeartbeatRecord(folder / "tmptime1.tm");
    const auto second = ReadHeartbeatRecord(folder / "tmptime2.tm");
    return {first ? first->durationMs : -1, second ? second->durationMs : -1};
}

void PrintTo(const Beats& beats, std::ostream* out) {
    *out << '{' << beats.first << ", " << beats.second << '}';
}

const RunRecord kStartedRun = RunStartedAt(1209600000, 0, 0x2222);

HeartbeatSetup SetupFor(const std::filesystem::path& folder, std::chrono::milliseconds wait) {
    HeartbeatSetup setup;
    setup.dataFolder = folder;
    setup.currentBootTag = kStartedRun.bootTag;
    setup.wait = wait;
    return setup;
}

TEST(HeartbeatTest, BeatsEvery310MillisecondsAndRetriesWaitingRunsEvery30Seconds) {
    EXPECT_EQ(HeartbeatSetup{}.wait, 310ms);
    EXPECT_EQ(HeartbeatSetup{}.retry, 30s);
}

TEST(HeartbeatTest, WritesTheFilesInTurnAndSkipsTheSecondOnceExitIsSet) {
    TempFolder folder;
    ExitSignal exitSignal;
    std::vector<Beats> seenAtReading;
    const ScriptedClock clock([&](int reading) {
        seenAtReading.push_back(BeatsIn(folder.Path()));
        if (reading == 3) {
            exitSignal.Set();
        }
    });
    RunRecord currentRun = kStartedRun;

    std::thread heartbeat([&] {
        EXPECT_EQ(HeartbeatThread(currentRun, clock, exitSignal, SetupFor(folder.Path(), 1ms)), 0);
    });
    heartbeat.join();

    // Reading 1 before anything was written; reading 2 after the first file got reading 1;
    // reading 3 after the second file got reading 2. The exit set at reading 3 still lets the
    // first file take it, and the second file is left alone.
    EXPECT_EQ(seenAtReading, (std::vector<Beats>{{-1, -1}, {1000, -1}, {1000, 2000}}));
    EXPECT_EQ(BeatsIn(folder.Path()), (Beats{3000, 2000}));
    EXPECT_EQ(LoadDurationMs(currentRun), 3000);
    RunRecord written = *ReadHeartbeatRecord(folder.Path() / "tmptime1.tm");
    written.durationMs = 0;
    EXPECT_EQ(written, kStartedRun);
}

TEST(HeartbeatTest, EndsAtOnceWhenTheExitWakesItsWait) {
    TempFolder folder;
    ExitSignal exitSignal;
    const ScriptedClock clock([](int) {});
    RunRecord currentRun = kStartedRun;

    // A wait far longer than any test: only the exit can end it.
    std::thread heartbeat(
        [&] { HeartbeatThread(currentRun, clock, exitSignal, SetupFor(folder.Path(), 24h)); });
    exitSignal.Set();
    heartbeat.join();

    EXPECT_EQ(BeatsIn(folder.Path()), (Beats{1000, -1}));
}

TEST(HeartbeatTest, KeepsTheRunTimeCurrentWhenTheFilesCantBeWritten) {
    TempFolder folder;
    ExitSignal exitSignal;
    const ScriptedClock clock([&](int reading) {
        if (reading == 5) {
            exitSignal.Set();
        }
    });
    RunRecord currentRun = kStartedRun;

    std::thread heartbeat([&] {
        HeartbeatThread(currentRun, clock, exitSignal, SetupFor(folder.Path() / "absent", 0ms));
    });
    heartbeat.join();

    EXPECT_EQ(LoadDurationMs(currentRun), 5000);
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "absent"));
}

TEST(HeartbeatTest, AReaderSeesTheRunTimeOnlyGrow) {
    TempFolder folder;
    ExitSignal exitSignal;
    const ScriptedClock clock([&](int reading) {
        if (reading == 200) {
            exitSignal.Set();
        }
    });
    RunRecord currentRun = kStartedRun;
    std::atomic<bool> done{false};

    std::thread heartbeat([&] {
        HeartbeatThread(currentRun, clock, exitSignal, SetupFor(folder.Path(), 0ms));
        done = true;
    });
    std::int64_t last = 0;
    bool onlyGrew = true;
    while (!done && onlyGrew) {
        const RunRecord seen = SnapshotOf(currentRun);
        onlyGrew = seen.durationMs >= last && seen.startTime == kStartedRun.startTime;
        last = seen.durationMs;
    }
    heartbeat.join();
    EXPECT_TRUE(onlyGrew) << "went back to " << last;
    EXPECT_EQ(LoadDurationMs(currentRun), 200'000);
}

// The log and pending.tm can't be written (a folder in their place stands for a read-only folder
// or a full disk), so the previous run lives only in the heartbeat files: the heartbeat leaves
// them alone, tries again now and then, and takes over once the run reached the log.
TEST(HeartbeatTest, LeavesAnUnstoredRunInItsFilesUntilTheLogTakesIt) {
    TempFolder folder;
    const auto path = [&](const char* name) { return folder.Path() / name; };
    const RunRecord previous = RunStartedAt(1209500000, 3'600'000, 0x1111);
    testing::WriteBytes(path("tmptime1.tm"), testing::BytesOf({previous}));
    testing::WriteBytes(path("tmptime2.tm"), testing::BytesOf({previous}));
    std::filesystem::create_directory(path("durmet.tm"));
    std::filesystem::create_directory(path("pending.tm"));
    ExitSignal exitSignal;
    std::vector<Beats> seenAtReading;
    const ScriptedClock clock([&](int reading) {
        seenAtReading.push_back(BeatsIn(folder.Path()));
        if (reading == 6) {
            std::filesystem::remove(path("durmet.tm"));
            std::filesystem::remove(path("pending.tm"));
        }
        if (reading == 12) {
            exitSignal.Set();
        }
    });
    RunRecord currentRun = kStartedRun;
    HeartbeatSetup setup = SetupFor(folder.Path(), 0ms);
    setup.earlierRuns = {true, true};
    setup.retry = 0ms;

    std::thread heartbeat([&] { HeartbeatThread(currentRun, clock, exitSignal, setup); });
    heartbeat.join();

    EXPECT_EQ(seenAtReading[4], (Beats{3'600'000, 3'600'000}));
    EXPECT_EQ(testing::ReadBytes(path("durmet.tm")), testing::BytesOf({previous}));
    EXPECT_FALSE(std::filesystem::exists(path("pending.tm")));
    EXPECT_LT(BeatsIn(folder.Path()).first, 100'000);  // this run's, now
}

}  // namespace
}  // namespace veltaro
