#include "recorder/run_history.h"

#include <map>

#include <gtest/gtest.h>

#include "recorder/recorder_test_support.h"

namespace veltaro {
namespace {

using testing::BytesOf;
using testing::FakeClock;
using testing::ReadBytes;
using testing::RecordsOf;
using testing::RunStartedAt;
using testing::TempFolder;
using testing::WriteBytes;

constexpr std::int64_t kNow = 1209614400;
constexpr std::uint32_t kOldBoot = 0x1111;
constexpr std::uint32_t kThisBoot = 0x2222;

const RunRecord kLogged[] = {RunStartedAt(1209400000, 7'200'000, kOldBoot),
                             RunStartedAt(1209500000, 3'600'000, kOldBoot)};

std::map<std::filesystem::path, std::vector<std::uint8_t>> FilesIn(
    const std::filesystem::path& folder) {
    std::map<std::filesystem::path, std::vector<std::uint8_t>> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        files[entry.path()] = ReadBytes(entry.path());
    }
    return files;
}

class ReadRunHistoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteBytes(folder_.Path() / "durmet.tm", BytesOf({kLogged[0], kLogged[1]}));
    }
    void WriteHeartbeats(const RunRecord& beat) {
        WriteBytes(folder_.Path() / "tmptime1.tm", BytesOf({beat}));
        WriteBytes(folder_.Path() / "tmptime2.tm", BytesOf({beat}));
    }

    TempFolder folder_;
    const FakeClock clock_{kNow, 300'000};
};

TEST_F(ReadRunHistoryTest, AddsTheRunTheNextStartWouldMergeWithoutWriting) {
    const RunRecord previous = RunStartedAt(1209556800, 10'800'000, kOldBoot);
    WriteHeartbeats(previous);
    const auto before = FilesIn(folder_.Path());

    const RunHistory history = ReadRunHistory(folder_.Path(), clock_, kThisBoot);

    EXPECT_EQ(history.error, "");
    EXPECT_EQ(RecordsOf(history.pastRuns),
              (std::vector<RunRecord>{kLogged[0], kLogged[1], previous}));
    EXPECT_EQ(history.pastRuns.UnwrittenCount(), 1u);
    EXPECT_EQ(history.liveRun.durationMs, 300'000);
    EXPECT_EQ(history.liveRun.bootTag, kThisBoot);
    EXPECT_EQ(FilesIn(folder_.Path()), before);
}

TEST_F(ReadRunHistoryTest, LeavesOutTheRunInProgress) {
    WriteHeartbeats(RunStartedAt(kNow - 300, 200'000, kThisBoot));

    const RunHistory history = ReadRunHistory(folder_.Path(), clock_, kThisBoot);

    EXPECT_EQ(RecordsOf(history.pastRuns), (std::vector<RunRecord>{kLogged[0], kLogged[1]}));
}

// A start stopped between its append and the rewrite of the heartbeat files: the run is in the
// log already, with a longer or shorter run time than the heartbeat's, and is counted once.
TEST_F(ReadRunHistoryTest, ARunAlreadyAtTheLogsEndIsNotCountedAgain) {
    for (const std::int64_t delta : {0, -310, 310}) {
        RunRecord beat = kLogged[1];
        beat.durationMs += delta;
        WriteHeartbeats(beat);

        const RunHistory history = ReadRunHistory(folder_.Path(), clock_, kThisBoot);

        EXPECT_EQ(RecordsOf(history.pastRuns), (std::vector<RunRecord>{kLogged[0], kLogged[1]}))
            << delta;
    }
}

TEST_F(ReadRunHistoryTest, RunsWaitingInThePendingFileComeAfterTheLogOnce) {
    const RunRecord waiting = RunStartedAt(1209556800, 10'800'000, kOldBoot);
    WriteBytes(folder_.Path() / "pending.tm", BytesOf({kLogged[1], waiting}));
    WriteHeartbeats(waiting);

    const RunHistory history = ReadRunHistory(folder_.Path(), clock_, kThisBoot);

    EXPECT_EQ(RecordsOf(history.pastRuns),
              (std::vector<RunRecord>{kLogged[0], kLogged[1], waiting}));
    EXPECT_FALSE(history.pastRuns.IsUnwritten(1));
    EXPECT_TRUE(history.pastRuns.IsUnwritten(2));
}

// now - uptime moves by a second from one call to the next; the heartbeat knows the start.
TEST_F(ReadRunHistoryTest, TheLiveRunStartsWhenItsHeartbeatSaysItDid) {
    const RunRecord beat = RunStartedAt(kNow - 301, 200'000, kThisBoot);
    WriteHeartbeats(beat);
    FakeClock clock = clock_;
    for (const std::uint64_t tick : {300'000u, 300'999u, 301'000u}) {
        clock.tick = tick;
        EXPECT_EQ(ReadRunHistory(folder_.Path(), clock, kThisBoot).liveRun.startTime,
                  beat.startTime)
            << tick;
    }
}

TEST_F(ReadRunHistoryTest, AMissingFolderIsAnEmptyHistory) {
    const RunHistory history = ReadRunHistory(folder_.Path() / "absent", clock_, kThisBoot);

    EXPECT_EQ(history.error, "");
    EXPECT_EQ(history.pastRuns.Count(), 0u);
    EXPECT_FALSE(std::filesystem::exists(folder_.Path() / "absent"));
}

TEST_F(ReadRunHistoryTest, AnUnreadableLogIsAnError) {
    std::filesystem::remove(folder_.Path() / "durmet.tm");
    std::filesystem::create_directory(folder_.Path() / "durmet.tm");

    const RunHistory history = ReadRunHistory(folder_.Path(), clock_, kThisBoot);

    EXPECT_NE(history.error, "");
    EXPECT_EQ(history.pastRuns.Count(), 0u);
}

}  // namespace
}  // namespace veltaro
