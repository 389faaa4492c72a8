#include "recorder/record_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

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
    EXPECT_EQ(read.records, (std::vector<RunRecord>{kFirst, kSecond}));
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

struct AppendCase {
    const char* name;
    std::vector<RunRecord> before;
    std::size_t partialBytes;  // left by a crash during an earlier append
};

void PrintTo(const AppendCase& c, std::ostream* out) {
    *out << c.name;
}

class AppendRunRecordTest : public ::testing::TestWithParam<AppendCase> {};

TEST_P(AppendRunRecordTest, AppendsAtAWholeRecordBoundary) {
    const AppendCase& param = GetParam();
    TempFolder folder;
    const auto log = folder.Path() / "durmet.tm";
    if (!param.before.empty() || param.partialBytes > 0) {
        WriteBytes(log, WithTrailing(BytesOf(param.before), param.partialBytes));
    }

    ASSERT_TRUE(AppendRunRecord(log, kThird));

    std::vector<RunRecord> expected = param.before;
    expected.push_back(kThird);
    EXPECT_EQ(ReadBytes(log), BytesOf(expected));
}

INSTANTIATE_TEST_SUITE_P(Logs, AppendRunRecordTest,
                         ::testing::Values(AppendCase{"Missing", {}, 0},
                                           AppendCase{"OnlyPartial", {}, 47},
                                           AppendCase{"Whole", {kFirst, kSecond}, 0},
                                           AppendCase{"PartialAfterWhole", {kFirst, kSecond}, 4},
                                           AppendCase{"SameRunEarlier", {kThird, kFirst}, 0}),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

// A start stopped between its append and the rewrite of the heartbeat files leaves the run
// waiting to be merged again: it is already the log's last record and stays the only copy.
TEST(AppendRunRecordTest, TheLogsLastRecordIsNotAppendedAgain) {
    TempFolder folder;
    const auto log = folder.Path() / "durmet.tm";
    WriteBytes(log, WithTrailing(BytesOf({kFirst, kSecond}), 4));
    ASSERT_TRUE(AppendRunRecord(log, kSecond));
    EXPECT_EQ(ReadBytes(log), BytesOf({kFirst, kSecond}));
}

TEST(AppendRunRecordFailureTest, ReportsALogThatCantBeWritten) {
    TempFolder folder;
    std::filesystem::create_directory(folder.Path() / "durmet.tm");
    EXPECT_FALSE(AppendRunRecord(folder.Path() / "durmet.tm", kFirst));
    EXPECT_FALSE(AppendRunRecord(folder.Path() / "absent" / "durmet.tm", kFirst));
}

// A FIFO where a data file belongs would block an open for writing until some reader came.
TEST(RecordFileTest, AFifoInPlaceOfADataFileIsRefusedAtOnce) {
    TempFolder folder;
    const auto fifo = folder.Path() / "durmet.tm";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(AppendRunRecord(fifo, kFirst));
    EXPECT_FALSE(WriteHeartbeatRecord(fifo, kFirst));
    EXPECT_EQ(ReadHeartbeatRecord(fifo), std::nullopt);
    EXPECT_NE(ReadRunLog(fifo).error, "");
}

TEST(HeartbeatRecordTest, ReadsOnlyAFileHoldingAWholeRecord) {
    TempFolder folder;
    const auto file = folder.Path() / "tmptime1.tm";
    const std::vector<std::uint8_t> whole = BytesOf({kSecond});
    const struct {
        std::vector<std::uint8_t> content;
        std::optional<RunRecord> expected;
    } cases[] = {
        {{}, std::nullopt},
        {std::vector<std::uint8_t>(whole.begin(), whole.end() - 1), std::nullopt},
        {whole, kSecond},
        {WithTrailing(whole, 12), kSecond},
    };
    for (const auto& c : cases) {
        WriteBytes(file, c.content);
        EXPECT_EQ(ReadHeartbeatRecord(file), c.expected) << c.content.size() << " bytes";
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
