#include "recorder/run_log.h"

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

using Bytes = std::vector<std::uint8_t>;

constexpr std::int64_t kNow = 1209614400;  // 2008-05-01 12:00:00 in Asia/Shanghai
constexpr std::uint64_t kFiveMinutes = 300'000;
constexpr std::uint32_t kOldBoot = 0x1111;
constexpr std::uint32_t kThisBoot = 0x2222;
constexpr std::int64_t kThreeHours = 10'800'000;

const RunRecord kLogged = RunStartedAt(1209400000, 7'200'000);
// The last two heartbeats of a three-hour run before this boot.
const RunRecord kOlderBeat = RunStartedAt(1209556800, kThreeHours - 310);
const RunRecord kNewerBeat = RunStartedAt(1209556800, kThreeHours);
const RunRecord kNewerBeatTwin = RunStartedAt(1209556860, kThreeHours);
// Heartbeats of the run in progress, written before the program was restarted.
const RunRecord kThisRunBeat = RunStartedAt(kNow - 300, 200'000);
const RunRecord kThisRunTaggedBeat = RunStartedAt(kNow - 300, 200'000, kThisBoot);
// A two-minute run before this boot.
const RunRecord kShortRun = RunStartedAt(1209600000, 120'000);
const RunRecord kShortRunTagged = RunStartedAt(1209600000, 120'000, kOldBoot);

Bytes Whole(const RunRecord& record) {
    return BytesOf({record});
}

Bytes WithPartial(std::vector<RunRecord> records, std::size_t extra) {
    Bytes bytes = BytesOf(records);
    bytes.insert(bytes.end(), extra, 0xEE);
    return bytes;
}

struct MergeCase {
    const char* name;
    std::optional<Bytes> heartbeat1;  // empty: no such file
    std::optional<Bytes> heartbeat2;
    Bytes logBefore;
    std::uint32_t currentBootTag;
    MergeOutcome outcome;
    std::vector<RunRecord> runLog;
};

void PrintTo(const MergeCase& c, std::ostream* out) {
    *out << c.name;
}

class LoadRunLogMergeTest : public ::testing::TestWithParam<MergeCase> {
protected:
    TempFolder folder_;
};

TEST_P(LoadRunLogMergeTest, MergesThePreviousRunOnlyWhenItEnded) {
    const MergeCase& param = GetParam();
    const auto path = [&](const char* name) { return folder_.Path() / name; };
    if (param.heartbeat1) {
        WriteBytes(path("tmptime1.tm"), *param.heartbeat1);
    }
    if (param.heartbeat2) {
        WriteBytes(path("tmptime2.tm"), *param.heartbeat2);
    }
    if (!param.logBefore.empty()) {
        WriteBytes(path("durmet.tm"), param.logBefore);
    }
    const FakeClock clock(kNow, kFiveMinutes);

    const LoadedRunLog loaded = LoadRunLog(clock, param.currentBootTag, folder_.Path());

    EXPECT_EQ(loaded.merge, param.outcome);
    EXPECT_EQ(RecordsOf(loaded.pastRuns), param.runLog);
    const Bytes expectedLog =
        param.outcome == MergeOutcome::Appended ? BytesOf(param.runLog) : param.logBefore;
    EXPECT_EQ(ReadBytes(path("durmet.tm")), expectedLog);

    EXPECT_EQ(loaded.currentRun.bootTag, param.currentBootTag);
    EXPECT_EQ(loaded.currentRun.durationMs, static_cast<std::int64_t>(kFiveMinutes));
    // Both heartbeat files already describe the current run, not the merged one.
    EXPECT_EQ(ReadBytes(path("tmptime1.tm")), Whole(loaded.currentRun));
    EXPECT_EQ(ReadBytes(path("tmptime2.tm")), Whole(loaded.currentRun));
}

INSTANTIATE_TEST_SUITE_P(
    Starts, LoadRunLogMergeTest,
    ::testing::Values(
        MergeCase{"FirstStartEver", {}, {}, {}, kThisBoot, MergeOutcome::NoHeartbeat, {}},
        MergeCase{"ProgramRestartedWithinTheRun",
                  Whole(kThisRunBeat),
                  Whole(kThisRunBeat),
                  Whole(kLogged),
                  kThisBoot,
                  MergeOutcome::RunGoesOn,
                  {kLogged}},
        MergeCase{"ProgramRestartedWithinATaggedRun",
                  Whole(kThisRunTaggedBeat),
                  Whole(kThisRunTaggedBeat),
                  Whole(kLogged),
                  kThisBoot,
                  MergeOutcome::RunGoesOn,
                  {kLogged}},
        MergeCase{"ComputerRestartedAfterThreeHours",
                  Whole(kOlderBeat),
                  Whole(kNewerBeat),
                  Whole(kLogged),
                  kThisBoot,
                  MergeOutcome::Appended,
                  {kLogged, kNewerBeat}},
        MergeCase{"FirstFileLonger",
                  Whole(kNewerBeat),
                  Whole(kOlderBeat),
                  {},
                  kThisBoot,
                  MergeOutcome::Appended,
                  {kNewerBeat}},
        MergeCase{"EqualRunTimesKeepTheFirstFile",
                  Whole(kNewerBeat),
                  Whole(kNewerBeatTwin),
                  {},
                  kThisBoot,
                  MergeOutcome::Appended,
                  {kNewerBeat}},
        MergeCase{"FirstFileEmptied",
                  Bytes{},
                  Whole(kOlderBeat),
                  {},
                  kThisBoot,
                  MergeOutcome::Appended,
                  {kOlderBeat}},
        MergeCase{"OnlySecondFileMissing",
                  Whole(kOlderBeat),
                  {},
                  {},
                  kThisBoot,
                  MergeOutcome::Appended,
                  {kOlderBeat}},
        MergeCase{"BothFilesCutShort",
                  Bytes(47, 1),
                  Bytes{},
                  {},
                  kThisBoot,
                  MergeOutcome::NoHeartbeat,
                  {}},
        MergeCase{"UntaggedRunAsLongAsTheUptimeIsTheRunInProgress",
                  Whole(RunStartedAt(kNow - 300, kFiveMinutes)),
                  Whole(RunStartedAt(kNow - 300, kFiveMinutes)),
                  {},
                  kThisBoot,
                  MergeOutcome::RunGoesOn,
                  {}},
        MergeCase{"UntaggedRunAMillisecondLongerThanTheUptimeEnded",
                  Whole(RunStartedAt(kNow - 300, kFiveMinutes + 1)),
                  {},
                  {},
                  kThisBoot,
                  MergeOutcome::Appended,
                  {RunStartedAt(kNow - 300, kFiveMinutes + 1)}},
        MergeCase{"GarbageInTheHeartbeatFilesIsNoCandidate",
                  Bytes(48, 0xA5),
                  WithPartial({}, 48),
                  Whole(kLogged),
                  kThisBoot,
                  MergeOutcome::NoHeartbeat,
                  {kLogged}},
        MergeCase{"UntaggedShortRunIsTakenForTheRunInProgress",
                  Whole(kShortRun),
                  Whole(kShortRun),
                  {},
                  kThisBoot,
                  MergeOutcome::RunGoesOn,
                  {}},
        MergeCase{"ShortRunOfAnEarlierBoot",
                  Whole(kShortRunTagged),
                  Whole(kShortRunTagged),
                  {},
                  kThisBoot,
                  MergeOutcome::Appended,
                  {kShortRunTagged}},
        MergeCase{"UnknownCurrentBootFallsBackToTheRunTime",
                  Whole(kShortRunTagged),
                  Whole(kShortRunTagged),
                  {},
                  0,
                  MergeOutcome::RunGoesOn,
                  {}},
        // A kill between the two heartbeat rewrites of a start: the second file still holds the
        // run the log already ends with, 310 ms short of its last state.
        MergeCase{"RunAlreadyAtTheLogsEndWithAnOlderRunTime",
                  Whole(kThisRunTaggedBeat),
                  Whole(RunStartedAt(1209556800, kThreeHours - 310, kOldBoot)),
                  BytesOf({kLogged, RunStartedAt(1209556800, kThreeHours, kOldBoot)}),
                  kThisBoot,
                  MergeOutcome::AlreadyStored,
                  {kLogged, RunStartedAt(1209556800, kThreeHours, kOldBoot)}},
        MergeCase{"PartialRecordLeftByACrashIsCut",
                  Whole(kOlderBeat),
                  Whole(kNewerBeat),
                  WithPartial({kLogged}, 30),
                  kThisBoot,
                  MergeOutcome::Appended,
                  {kLogged, kNewerBeat}},
        MergeCase{"HundredByteLogWithNothingToMerge",
                  {},
                  {},
                  WithPartial({kLogged, kNewerBeat}, 4),
                  kThisBoot,
                  MergeOutcome::NoHeartbeat,
                  {kLogged, kNewerBeat}}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

class SecondStartTest : public ::testing::TestWithParam<std::uint32_t> {};

TEST_P(SecondStartTest, RightAfterAMergeAppendsNothing) {
    const std::uint32_t currentBootTag = GetParam();
    const RunRecord previous = RunStartedAt(1209556800, kThreeHours, currentBootTag ? kOldBoot : 0);
    TempFolder folder;
    WriteBytes(folder.Path() / "tmptime1.tm", Whole(previous));
    WriteBytes(folder.Path() / "tmptime2.tm", Whole(previous));
    FakeClock clock(kNow, kFiveMinutes);
    ASSERT_EQ(LoadRunLog(clock, currentBootTag, folder.Path()).merge, MergeOutcome::Appended);

    // Started again before the heartbeat's first write.
    clock.tick += 100;
    const LoadedRunLog again = LoadRunLog(clock, currentBootTag, folder.Path());

    EXPECT_EQ(again.merge, MergeOutcome::RunGoesOn);
    EXPECT_EQ(RecordsOf(again.pastRuns), (std::vector<RunRecord>{previous}));
}

INSTANTIATE_TEST_SUITE_P(BootTags, SecondStartTest, ::testing::Values(kThisBoot, 0u));

// The log can't take the previous run (a folder in its place stands for a full disk or a
// read-only file): it waits in pending.tm, shows as a past run, and reaches the log once it can.
TEST(LoadRunLogTest, APreviousRunTheLogCantTakeWaitsForIt) {
    TempFolder folder;
    const auto path = [&](const char* name) { return folder.Path() / name; };
    WriteBytes(path("tmptime1.tm"), Whole(kNewerBeat));
    std::filesystem::create_directory(path("durmet.tm"));
    FakeClock clock(kNow, kFiveMinutes);

    const LoadedRunLog first = LoadRunLog(clock, kThisBoot, folder.Path());

    EXPECT_EQ(first.merge, MergeOutcome::KeptPending);
    EXPECT_EQ(RecordsOf(first.pastRuns), (std::vector<RunRecord>{kNewerBeat}));
    EXPECT_TRUE(first.pastRuns.IsUnwritten(0));
    EXPECT_TRUE(first.earlierRuns.waiting);
    EXPECT_FALSE(first.earlierRuns.heldInHeartbeat);
    EXPECT_EQ(ReadBytes(path("pending.tm")), Whole(kNewerBeat));
    EXPECT_EQ(ReadBytes(path("tmptime1.tm")), Whole(first.currentRun));

    // Restarted in the same boot while the log is still unwritable, then after it was mended.
    clock.tick += 1000;
    EXPECT_EQ(LoadRunLog(clock, kThisBoot, folder.Path()).merge, MergeOutcome::RunGoesOn);
    EXPECT_EQ(ReadBytes(path("pending.tm")), Whole(kNewerBeat));
    std::filesystem::remove(path("durmet.tm"));
    const LoadedRunLog mended = LoadRunLog(clock, kThisBoot, folder.Path());

    EXPECT_EQ(RecordsOf(mended.pastRuns), (std::vector<RunRecord>{kNewerBeat}));
    EXPECT_FALSE(mended.pastRuns.IsUnwritten(0));
    EXPECT_FALSE(mended.earlierRuns.waiting);
    EXPECT_EQ(ReadBytes(path("durmet.tm")), Whole(kNewerBeat));
    EXPECT_FALSE(std::filesystem::exists(path("pending.tm")));
}

// When not even pending.tm can be written, the heartbeat files are the run's only home: they are
// left as they are, and the heartbeat is told to leave them.
TEST(LoadRunLogTest, APreviousRunNothingCanTakeStaysInTheHeartbeatFiles) {
    TempFolder folder;
    const auto path = [&](const char* name) { return folder.Path() / name; };
    WriteBytes(path("tmptime1.tm"), Whole(kOlderBeat));
    WriteBytes(path("tmptime2.tm"), Whole(kNewerBeat));
    std::filesystem::create_directory(path("durmet.tm"));
    std::filesystem::create_directory(path("pending.tm"));
    const FakeClock clock(kNow, kFiveMinutes);

    const LoadedRunLog loaded = LoadRunLog(clock, kThisBoot, folder.Path());

    EXPECT_EQ(loaded.merge, MergeOutcome::NotStored);
    EXPECT_TRUE(loaded.earlierRuns.heldInHeartbeat);
    EXPECT_EQ(RecordsOf(loaded.pastRuns), (std::vector<RunRecord>{kNewerBeat}));
    EXPECT_EQ(ReadBytes(path("tmptime1.tm")), Whole(kOlderBeat));
    EXPECT_EQ(ReadBytes(path("tmptime2.tm")), Whole(kNewerBeat));
}

TEST(LoadRunLogTest, DamagedRecordsOfTheLogKeepTheirPlace) {
    TempFolder folder;
    RunRecord damaged = kLogged;
    damaged.startTime.tm_year = 0x7FFFFFFF;
    WriteBytes(folder.Path() / "durmet.tm", BytesOf({kLogged, damaged, kNewerBeat}));
    const FakeClock clock(kNow, kFiveMinutes);

    const LoadedRunLog loaded = LoadRunLog(clock, kThisBoot, folder.Path());

    EXPECT_EQ(RecordsOf(loaded.pastRuns), (std::vector<RunRecord>{kLogged, damaged, kNewerBeat}));
    EXPECT_EQ(loaded.pastRuns.DamagedCount(), 1u);
    EXPECT_EQ(loaded.pastRuns.CumulativeMsBefore(3), kLogged.durationMs + kNewerBeat.durationMs);
}

TEST(LoadRunLogTest, CreatesAMissingDataFolderForTheHeartbeat) {
    TempFolder folder;
    const auto dataFolder = folder.Path() / "share" / "veltaro";
    const FakeClock clock(kNow, kFiveMinutes);

    const LoadedRunLog loaded = LoadRunLog(clock, kThisBoot, dataFolder);

    EXPECT_EQ(loaded.merge, MergeOutcome::NoHeartbeat);
    EXPECT_EQ(ReadBytes(dataFolder / "tmptime1.tm"), Whole(loaded.currentRun));
}

TEST(CurrentRunTest, KeepsTheStartOfAHeartbeatOfThisBootOnly) {
    const FakeClock clock(kNow, kFiveMinutes);
    const RunRecord computed = CurrentRunAt(clock, kThisBoot);
    const RunRecord beat = RunStartedAt(kNow - 301, 200'000, kThisBoot);

    EXPECT_EQ(CurrentRunAt(clock, kThisBoot, beat).startTime, beat.startTime);
    for (const RunRecord& other : {kShortRunTagged, kThisRunBeat}) {
        EXPECT_EQ(CurrentRunAt(clock, kThisBoot, other).startTime, computed.startTime);
    }
    EXPECT_EQ(CurrentRunAt(clock, 0, RunStartedAt(kNow - 301, 200'000, 0)).startTime,
              computed.startTime);
}

TEST(CurrentRunTest, StartsTheWholeSecondsOfUptimeBeforeNow) {
    const StartTime expected{57, 57, 10, 1, 4, 108, 4, 121, 0};  // Thursday 2008-05-01 10:57:57
    for (const std::uint64_t tickMs : {3'723'000ull, 3'723'999ull}) {
        const FakeClock clock(kNow, tickMs);
        const RunRecord run = CurrentRunAt(clock, kThisBoot);

        EXPECT_EQ(run.startTime, expected) << tickMs;
        EXPECT_EQ(run.bootTag, kThisBoot);
        EXPECT_EQ(run.durationMs, static_cast<std::int64_t>(tickMs));
    }
}

}  // namespace
}  // namespace veltaro
