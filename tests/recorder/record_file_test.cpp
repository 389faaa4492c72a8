#include "recorder/record_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "recorder/recorder_test_support.h"

namespace veltaro {
namespace {

using testing::BytesOf;
using testing::ReadBytes;
using testing::RunStartedAt;
using testing::TempFolder;
using testing::WriteBytes;

const RunRecord kFirst = RunStartedAt(1204385400, 3'600'999, 7);
const RunRecord kSecond = RunStartedAt(1204471800, 93'784'000, 8);
const RunRecord kThird = RunStartedAt(1204558200, 60'000, 9);

std::vector<std::uint8_t> WithTrailing(std::vector<std::uint8_t> bytes, std::size_t extra) {
    bytes.insert(bytes.end(), extra, 0xEE);
    return bytes;
}

TEST(ReadRunLogTest, ReadsWholeRecordsAndIgnoresATrailingPartOne) {
    TempFolder folder;
    const auto log = folder.Path() / "durmet.tm";
    WriteBytes(log, WithTrailing(BytesOf({kFirst, kSecond}), 4));
    ASSERT_EQ(ReadBytes(log).size(), 100u);

    const RunLogRead read = ReadRunLog(log);
    EXPECT_EQ(read.error, "");
    EXPECT_EQ(read.records, (RunRecords{kFirst, kSecond}));
}

TEST(ReadRunLogTest, AMissingLogIsAnEmptyHistory) {
    TempFolder folder;
    for (const auto& log : {folder.Path() / "durmet.tm", folder.Path() / "absent" / "durmet.tm"}) {
        const RunLogRead read = ReadRunLog(log);
        EXPECT_EQ(read.error, "") << log;
        EXPECT_TRUE(read.records.empty()) << log;
    }
}

TEST(ReadRunLogTest, AnUnreadableLogIsAnErrorNamingTheFile) {
    TempFolder folder;
    const auto asFolder = folder.Path() / "durmet.tm";
    std::filesystem::create_directory(asFolder);
    const auto underAFile = folder.Path() / "plain" / "durmet.tm";
    WriteBytes(folder.Path() / "plain", {1, 2, 3});
    std::vector<std::filesystem::path> unreadable = {asFolder, underAFile};

    const auto locked = folder.Path() / "locked" / "durmet.tm";
    std::filesystem::create_directory(locked.parent_path());
    WriteBytes(locked, BytesOf({kFirst}));
    ::chmod(locked.c_str(), 0);
    if (::geteuid() != 0) {  // root reads it all the same
        unreadable.push_back(locked);
    }

    for (const auto& log : unreadable) {
        const RunLogRead read = ReadRunLog(log);
        EXPECT_NE(read.error.find(log.string()), std::string::npos) << read.error;
        EXPECT_TRUE(read.records.empty());
    }
}

constexpr std::int64_t kNow = 1209614400;  // 2008-05-01 12:00:00 in Asia/Shanghai

std::vector<std::filesystem::path> FilesIn(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        files.push_back(entry.path().filename());
    }
    std::sort(files.begin(), files.end());
    return files;
}

struct AppendCase {
    const char* name;
    std::vector<RunRecord> before;
    std::size_t partialBytes;  // left by a crash during an earlier append
};

void PrintTo(const AppendCase& c, std::ostream* out) {
    *out << c.name;
}

class AppendRunRecordsTest : public ::testing::TestWithParam<AppendCase> {};

TEST_P(AppendRunRecordsTest, AppendsAtAWholeRecordBoundaryAndKeepsPartialBytesAside) {
    const AppendCase& param = GetParam();
    TempFolder folder;
    const auto log = folder.Path() / "durmet.tm";
    const std::vector<std::uint8_t> before =
        WithTrailing(BytesOf(param.before), param.partialBytes);
    if (!before.empty()) {
        WriteBytes(log, before);
    }

    const RunRecord runs[] = {kThird, kFirst};
    ASSERT_TRUE(AppendRunRecords(log, runs, kNow).stored);

    std::vector<RunRecord> expected = param.before;
    expected.insert(expected.end(), std::begin(runs), std::end(runs));
    EXPECT_EQ(ReadBytes(log), BytesOf(expected));
    const auto aside = folder.Path() / "durmet.tm.partial-20080501-120000";
    if (param.partialBytes > 0) {
        EXPECT_EQ(ReadBytes(aside), std::vector<std::uint8_t>(param.partialBytes, 0xEE));
        EXPECT_EQ(FilesIn(folder.Path()),
                  (std::vector<std::filesystem::path>{"durmet.tm", aside.filename()}));
    } else {
        EXPECT_EQ(FilesIn(folder.Path()), (std::vector<std::filesystem::path>{"durmet.tm"}));
    }
}

INSTANTIATE_TEST_SUITE_P(Logs, AppendRunRecordsTest,
                         ::testing::Values(AppendCase{"Missing", {}, 0},
                                           AppendCase{"OnlyPartial", {}, 47},
                                           AppendCase{"Whole", {kFirst, kSecond}, 0},
                                           AppendCase{"PartialAfterWhole", {kFirst, kSecond}, 4}),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(AppendRunRecordsTest, ReportsALogThatCantBeWritten) {
    TempFolder folder;
    std::filesystem::create_directory(folder.Path() / "durmet.tm");
    const AppendResult asFolder = AppendRunRecords(folder.Path() / "durmet.tm", {&kFirst, 1}, kNow);
    EXPECT_FALSE(asFolder.stored);
    EXPECT_EQ(asFolder.error, "is a directory");
    const AppendResult noFolder =
        AppendRunRecords(folder.Path() / "absent" / "durmet.tm", {&kFirst, 1}, kNow);
    EXPECT_FALSE(noFolder.stored);
    EXPECT_EQ(noFolder.error, "no such file or directory");
}

// A FIFO where a data file belongs would block an open for writing until some reader came.
TEST(RecordFileTest, AFifoInPlaceOfADataFileIsRefusedAtOnce) {
    TempFolder folder;
    const auto fifo = folder.Path() / "durmet.tm";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(AppendRunRecords(fifo, {&kFirst, 1}, kNow).stored);
    EXPECT_FALSE(WriteHeartbeatRecord(fifo, kFirst));
    EXPECT_EQ(ReadHeartbeatRecord(fifo), std::nullopt);
    EXPECT_NE(ReadRunLog(fifo).error, "");
}

// A link planted at a data file's path must not lead a write to the file it points to.
TEST(RecordFileTest, SymbolicLinksAreNeverFollowed) {
    TempFolder folder;
    const auto outside = folder.Path() / "outside";
    WriteBytes(outside, BytesOf({kFirst}));
    const std::vector<std::uint8_t> original = ReadBytes(outside);
    for (const char* name : {"durmet.tm", "tmptime1.tm", "pending.tm"}) {
        std::filesystem::create_symlink(outside, folder.Path() / name);
    }

    EXPECT_FALSE(AppendRunRecords(folder.Path() / "durmet.tm", {&kSecond, 1}, kNow).stored);
    EXPECT_FALSE(WriteHeartbeatRecord(folder.Path() / "tmptime1.tm", kSecond, true));
    EXPECT_FALSE(WritePendingRuns(folder.Path() / "pending.tm", {&kSecond, 1}));
    EXPECT_FALSE(WritePendingRuns(folder.Path() / "pending.tm", {}));
    EXPECT_EQ(ReadHeartbeatRecord(folder.Path() / "tmptime1.tm"), std::nullopt);
    EXPECT_NE(ReadRunLog(folder.Path() / "durmet.tm").error, "");

    EXPECT_EQ(ReadBytes(outside), original);
    for (const char* name : {"durmet.tm", "tmptime1.tm", "pending.tm"}) {
        EXPECT_TRUE(std::filesystem::is_symlink(folder.Path() / name)) << name;
    }
}

TEST(RecordFileTest, NewFilesArePrivateWhateverTheUmask) {
    TempFolder folder;
    const mode_t previous = ::umask(0);
    AppendRunRecords(folder.Path() / "durmet.tm", {&kFirst, 1}, kNow);
    WriteHeartbeatRecord(folder.Path() / "tmptime1.tm", kFirst);
    WritePendingRuns(folder.Path() / "pending.tm", {&kFirst, 1});
    ::umask(previous);
    for (const char* name : {"durmet.tm", "tmptime1.tm", "pending.tm"}) {
        struct stat info {};
        ASSERT_EQ(::stat((folder.Path() / name).c_str(), &info), 0) << name;
        EXPECT_EQ(info.st_mode & 0777, 0600u) << name;
    }
}

TEST(PendingRunsTest, KeepsWholePlausibleRecordsAndGoesWhenEmpty) {
    TempFolder folder;
    const auto file = folder.Path() / "pending.tm";
    EXPECT_TRUE(ReadPendingRuns(file).empty());
    const RunRecord runs[] = {kFirst, kSecond};
    ASSERT_TRUE(WritePendingRuns(file, runs));
    EXPECT_EQ(ReadPendingRuns(file), (std::vector<RunRecord>{kFirst, kSecond}));

    RunRecord garbage = kThird;
    garbage.durationMs = -1;
    WriteBytes(file, WithTrailing(BytesOf({kFirst, garbage, kSecond}), 20));
    EXPECT_EQ(ReadPendingRuns(file), (std::vector<RunRecord>{kFirst, kSecond}));

    ASSERT_TRUE(WritePendingRuns(file, {}));
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_TRUE(WritePendingRuns(file, {}));
}

TEST(ReadRunLogTest, TheTailIsTheLastWholeRecords) {
    TempFolder folder;
    const auto log = folder.Path() / "durmet.tm";
    WriteBytes(log, WithTrailing(BytesOf({kFirst, kSecond, kThird}), 5));
    EXPECT_EQ(ReadRunLogTail(log, 2).records, (RunRecords{kSecond, kThird}));
    EXPECT_EQ(ReadRunLogTail(log, 9).records, (RunRecords{kFirst, kSecond, kThird}));
    EXPECT_EQ(ReadRunLogTail(log, 9).partialBytes, 5u);
    EXPECT_TRUE(ReadRunLogTail(log, 0).records.empty());
}

TEST(HeartbeatRecordTest, ReadsOnlyAFileHoldingAWholePlausibleRecord) {
    TempFolder folder;
    const auto file = folder.Path() / "tmptime1.tm";
    const std::vector<std::uint8_t> whole = BytesOf({kSecond});
    RunRecord year2100 = kSecond;
    year2100.startTime.tm_year = 200;
    RunRecord year2101 = kSecond;
    year2101.startTime.tm_year = 201;
    RunRecord maxYear = kSecond;
    maxYear.startTime.tm_year = 0x7FFFFFFF;
    RunRecord negative = kSecond;
    negative.durationMs = -1;
    RunRecord century = kSecond;
    century.durationMs = 100LL * 36525 * 24 * 3600 * 10;
    RunRecord badMonth = kSecond;
    badMonth.startTime.tm_mon = 12;
    std::vector<std::uint8_t> random(48);
    for (std::size_t i = 0; i < random.size(); ++i) {
        random[i] = static_cast<std::uint8_t>(i * 97 + 13);
    }
    const struct {
        std::vector<std::uint8_t> content;
        std::optional<RunRecord> expected;
    } cases[] = {
        {{}, std::nullopt},
        {std::vector<std::uint8_t>(whole.begin(), whole.end() - 1), std::nullopt},
        {whole, kSecond},
        {WithTrailing(whole, 12), kSecond},
        {BytesOf({year2100}), year2100},
        {BytesOf({year2101}), std::nullopt},
        {BytesOf({maxYear}), std::nullopt},
        {BytesOf({negative}), std::nullopt},
        {BytesOf({century}), std::nullopt},
        {BytesOf({badMonth}), std::nullopt},
        {random, std::nullopt},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        WriteBytes(file, cases[i].content);
        EXPECT_EQ(ReadHeartbeatRecord(file), cases[i].expected) << "case " << i;
    }
    EXPECT_EQ(ReadHeartbeatRecord(folder.Path() / "tmptime2.tm"), std::nullopt);
    EXPECT_EQ(ReadHeartbeatRecord(folder.Path()), std::nullopt);
}

TEST(HeartbeatRecordTest, WritingReplacesTheWholeFile) {
    TempFolder folder;
    const auto file = folder.Path() / "tmptime2.tm";
    WriteBytes(file, BytesOf({kFirst, kSecond}));

    ASSERT_TRUE(WriteHeartbeatRecord(file, kThird));
    EXPECT_EQ(ReadBytes(file), BytesOf({kThird}));
    EXPECT_FALSE(WriteHeartbeatRecord(folder.Path() / "absent" / "tmptime2.tm", kThird));
}

}  // namespace
}  // namespace veltaro
