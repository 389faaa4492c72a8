// The log and the data folder made read-only, as an ordinary user meets them (root writes anyway,
// so these skip for root and run once more as an ordinary user): no run is lost, and a run that
// waited reaches the log once the folder is writable again, without a restart.
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <thread>

#include <gtest/gtest.h>

#include "recorder/heartbeat.h"
#include "recorder/recorder_test_support.h"
#include "recorder/run_log.h"

namespace veltaro {
namespace {

using namespace std::chrono_literals;
using testing::BytesOf;
using testing::FakeClock;
using testing::ReadBytes;
using testing::RecordsOf;
using testing::RunStartedAt;
using testing::TempFolder;
using testing::WriteBytes;

constexpr std::int64_t kNow = 1209614400;
constexpr std::uint32_t kThisBoot = 0x2222;
const RunRecord kLogged = RunStartedAt(1209400000, 7'200'000, 0x1110);
const RunRecord kPrevious = RunStartedAt(1209556800, 10'800'000, 0x1111);

class ReadOnlyTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (::geteuid() == 0) {
            GTEST_SKIP() << "root writes read-only files all the same";
        }
        WriteBytes(Path("durmet.tm"), BytesOf({kLogged}));
        WriteBytes(Path("tmptime1.tm"), BytesOf({kPrevious}));
        WriteBytes(Path("tmptime2.tm"), BytesOf({kPrevious}));
    }
    std::filesystem::path Path(const char* name) const { return folder_.Path() / name; }

    // Beats until `done` holds or a few seconds passed, retrying waiting runs at every beat.
    void RunHeartbeat(RunRecord& currentRun, const EarlierRunsState& earlierRuns,
                      const std::function<bool()>& done) {
        ExitSignal exitSignal;
        HeartbeatSetup setup{folder_.Path(), kThisBoot, earlierRuns, 1ms, 1ms};
        std::thread heartbeat([&] { HeartbeatThread(currentRun, clock_, exitSignal, setup); });
        for (int wait = 0; wait < 500 && !done(); ++wait) {
            std::this_thread::sleep_for(10ms);
        }
        exitSignal.Set();
        heartbeat.join();
    }

    TempFolder folder_;
    const FakeClock clock_{kNow, 300'000};
};

TEST_F(ReadOnlyTest, AReadOnlyLogKeepsThePreviousRunWaitingUntilItIsWritable) {
    ::chmod(Path("durmet.tm").c_str(), 0444);

    LoadedRunLog loaded = LoadRunLog(clock_, kThisBoot, folder_.Path());

    EXPECT_EQ(loaded.merge, MergeOutcome::KeptPending);
    EXPECT_EQ(RecordsOf(loaded.pastRuns), (std::vector<RunRecord>{kLogged, kPrevious}));
    EXPECT_EQ(ReadBytes(Path("pending.tm")), BytesOf({kPrevious}));
    ::chmod(Path("durmet.tm").c_str(), 0644);
    RunHeartbeat(loaded.currentRun, loaded.earlierRuns,
                 [&] { return !std::filesystem::exists(Path("pending.tm")); });
    EXPECT_EQ(ReadBytes(Path("durmet.tm")), BytesOf({kLogged, kPrevious}));
}

TEST_F(ReadOnlyTest, AReadOnlyFolderKeepsThePreviousRunInTheHeartbeatFiles) {
    ::chmod(Path("durmet.tm").c_str(), 0444);
    ::chmod(folder_.Path().c_str(), 0555);

    LoadedRunLog loaded = LoadRunLog(clock_, kThisBoot, folder_.Path());

    EXPECT_EQ(loaded.merge, MergeOutcome::NotStored);
    EXPECT_EQ(RecordsOf(loaded.pastRuns), (std::vector<RunRecord>{kLogged, kPrevious}));
    // The heartbeat files are writable themselves, but hold the only copy of the previous run.
    RunHeartbeat(loaded.currentRun, loaded.earlierRuns,
                 [beats = 0]() mutable { return ++beats > 20; });
    EXPECT_EQ(ReadBytes(Path("tmptime1.tm")), BytesOf({kPrevious}));
    EXPECT_EQ(ReadBytes(Path("tmptime2.tm")), BytesOf({kPrevious}));

    ::chmod(folder_.Path().c_str(), 0755);
    RunHeartbeat(loaded.currentRun, loaded.earlierRuns,
                 [&] { return ReadBytes(Path("tmptime1.tm")) != BytesOf({kPrevious}); });
    EXPECT_EQ(ReadBytes(Path("pending.tm")), BytesOf({kPrevious}));
    ::chmod(Path("durmet.tm").c_str(), 0644);
    RunHeartbeat(loaded.currentRun, loaded.earlierRuns,
                 [&] { return !std::filesystem::exists(Path("pending.tm")); });
    EXPECT_EQ(ReadBytes(Path("durmet.tm")), BytesOf({kLogged, kPrevious}));
}

}  // namespace
}  // namespace veltaro
