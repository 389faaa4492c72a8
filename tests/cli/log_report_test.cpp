#include "cli/log_report.h"

#include <sstream>

#include <gtest/gtest.h>

#include "recorder/recorder_test_support.h"

namespace veltaro {
namespace {

using testing::BytesOf;
using testing::FakeClock;
using testing::LocalSeconds;
using testing::RunStartedAt;
using testing::TempFolder;
using testing::WriteBytes;

constexpr std::uint32_t kOldBoot = 0x1111;
constexpr std::uint32_t kThisBoot = 0x2222;

class ReportRunLogTest : public ::testing::Test {
protected:
    void SetUp() override {
        options_.dataFolder = folder_.Path();
        WriteBytes(folder_.Path() / "durmet.tm",
                   BytesOf({RunStartedAt(LocalSeconds(2008, 3, 1, 23, 30, 0), 3'600'999)}));
        // A run before this boot that no start has merged yet.
        const RunRecord pending =
            RunStartedAt(LocalSeconds(2008, 4, 30, 20, 0, 0), 10'800'000, kOldBoot);
        WriteBytes(folder_.Path() / "tmptime1.tm", BytesOf({pending}));
    }

    int Report() { return ReportRunLog(options_, clock_, kThisBoot, out_, err_); }

    TempFolder folder_;
    LogOptions options_;
    // 2008-05-01 12:00:00, 61 s after the boot.
    const FakeClock clock_{LocalSeconds(2008, 5, 1, 12, 0, 0), 61'500};
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(ReportRunLogTest, TextShowsEveryRunThenTheLiveOne) {
    ASSERT_EQ(Report(), 0);

    EXPECT_EQ(out_.str(),
              "The 1st startup\n"
              "Startup Time: 2008/03/01 23:30:00\n"
              "Shutdown Time: 2008/03/02 00:30:00\n"
              "Run Time: 1 Hours 00 Minutes 00 Seconds  (Sum:0 Days 01 Hours)\n"
              "Cumulative Time: 1 Hours 00 Minutes 00 Seconds  (Sum:0 Days 01 Hours)\n"
              "\n"
              "The 2nd startup (not yet written to the log)\n"
              "Startup Time: 2008/04/30 20:00:00\n"
              "Shutdown Time: 2008/04/30 23:00:00\n"
              "Run Time: 3 Hours 00 Minutes 00 Seconds  (Sum:0 Days 03 Hours)\n"
              "Cumulative Time: 4 Hours 00 Minutes 00 Seconds  (Sum:0 Days 04 Hours)\n"
              "\n"
              "The 3rd startup\n"
              "Startup Time: 2008/05/01 11:58:59\n"
              "Shutdown Time: Unknown\n"
              "Run Time: 0 Hours 01 Minutes 01 Seconds  (Sum:0 Days 00 Hours)\n"
              "Cumulative Time: 4 Hours 01 Minutes 02 Seconds  (Sum:0 Days 04 Hours)\n");
    EXPECT_EQ(err_.str(), "");
}

TEST_F(ReportRunLogTest, TextInChinese) {
    options_.language = kLanguageChinese;
    ASSERT_EQ(Report(), 0);

    EXPECT_EQ(out_.str().substr(0, out_.str().find('\n', out_.str().find('\n') + 1)),
              "第 1 次启动\n开机时间: 2008/03/01 23:30:00");
    EXPECT_NE(out_.str().find("关机时间: 未知\n"), std::string::npos);
}

TEST_F(ReportRunLogTest, CsvHasOneRowPerRunAndNoShutdownForTheLiveOne) {
    options_.csv = true;
    ASSERT_EQ(Report(), 0);

    EXPECT_EQ(out_.str(),
              "ordinal,startup,shutdown,run_seconds,cumulative_seconds,status\n"
              "1,2008-03-01 23:30:00,2008-03-02 00:30:00,3600,3600,logged\n"
              "2,2008-04-30 20:00:00,2008-04-30 23:00:00,10800,14400,pending\n"
              "3,2008-05-01 11:58:59,,61,14462,live\n");
}

TEST_F(ReportRunLogTest, DamagedRecordsAreShownSkippedAndCounted) {
    RunRecord damaged = RunStartedAt(LocalSeconds(2008, 3, 2, 8, 0, 0), 1000);
    damaged.startTime.tm_year = 0x7FFFFFFF;
    WriteBytes(folder_.Path() / "durmet.tm",
               BytesOf({damaged, RunStartedAt(LocalSeconds(2008, 3, 1, 23, 30, 0), 3'600'999)}));
    std::filesystem::remove(folder_.Path() / "tmptime1.tm");
    options_.csv = true;

    ASSERT_EQ(Report(), 0);

    EXPECT_EQ(out_.str(),
              "ordinal,startup,shutdown,run_seconds,cumulative_seconds,status\n"
              "1,,,,0,damaged\n"
              "2,2008-03-01 23:30:00,2008-03-02 00:30:00,3600,3600,logged\n"
              "3,2008-05-01 11:58:59,,61,3662,live\n");
    EXPECT_EQ(err_.str(),
              "veltaro-cli log: skipped 1 damaged record(s): shown as such, left out of the "
              "cumulative time\n");
}

TEST_F(ReportRunLogTest, AnUnreadableLogIsOneLineOnStderr) {
    std::filesystem::remove(folder_.Path() / "durmet.tm");
    std::filesystem::create_directory(folder_.Path() / "durmet.tm");

    EXPECT_EQ(Report(), 1);
    EXPECT_EQ(out_.str(), "");
    EXPECT_EQ(err_.str(), "veltaro-cli log: cannot read " +
                              (folder_.Path() / "durmet.tm").string() + ": is a directory\n");
}

}  // namespace
}  // namespace veltaro
