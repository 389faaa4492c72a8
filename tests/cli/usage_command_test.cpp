#include "cli/usage_command.h"

#include <sstream>

#include <gtest/gtest.h>

#include "cli/log_report.h"
#include "recorder/recorder_test_support.h"

namespace veltaro {
namespace {

using testing::BytesOf;
using testing::FakeClock;
using testing::LocalSeconds;
using testing::RunStartedAt;
using testing::TempFolder;
using testing::WriteBytes;

class UsageCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        // 23:00 for three hours, then a whole day; the live run began at 08:00 today.
        WriteBytes(folder_.Path() / "durmet.tm",
                   BytesOf({RunStartedAt(LocalSeconds(2008, 4, 28, 23, 0, 0), 3 * 3'600'000),
                            RunStartedAt(LocalSeconds(2008, 4, 30, 0, 0, 0), 24 * 3'600'000)}));
    }
    int Run(std::vector<std::string> arguments, std::size_t columns = 0) {
        arguments.insert(arguments.end(), {"--data-dir", folder_.Path().string()});
        return RunUsageCommand(arguments, clock_, columns, out_, err_);
    }

    TempFolder folder_;
    // 2008-05-01 12:00:00, four hours after the boot.
    const FakeClock clock_{LocalSeconds(2008, 5, 1, 12, 0, 0), 4 * 3'600'000};
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(UsageCommandTest, DaysAsCsvWithTheLiveRun) {
    ASSERT_EQ(Run({"--days", "4", "--csv"}), 0);
    EXPECT_EQ(out_.str(),
              "period_start,seconds\n"
              "2008-04-28,3600\n"
              "2008-04-29,7200\n"
              "2008-04-30,86400\n"
              "2008-05-01,14400\n");
}

TEST_F(UsageCommandTest, LinesWithBarsScaledToTheBusiestPeriod) {
    ASSERT_EQ(Run({"--months", "1", "--now", "2008-04-30 23:00:00"}, 30), 0);
    EXPECT_EQ(out_.str(), "2008-04-01   31.0 h ██████████\n");
}

TEST_F(UsageCommandTest, RefusesABadCount) {
    EXPECT_EQ(Run({"--weeks", "0"}), 2);
    EXPECT_EQ(err_.str(), "veltaro-cli usage: --weeks needs a number from 1 to 1000, not '0'\n");
}

TEST_F(UsageCommandTest, TheLogSummary) {
    LogOptions options;
    options.dataFolder = folder_.Path();
    options.summary = true;
    ASSERT_EQ(ReportRunLog(options, clock_, 0x2222, out_, err_), 0);
    EXPECT_EQ(out_.str(),
              "Runs: 3\n"
              "First startup: 2008/04/28 23:00:00\n"
              "Last startup: 2008/05/01 08:00:00\n"
              "Total run time: 31 Hours 00 Minutes 00 Seconds  (Sum:1 Days 07 Hours)\n"
              "Average run time: 10 Hours 20 Minutes 00 Seconds  (Sum:0 Days 10 Hours)\n"
              "Longest run: 24 Hours 00 Minutes 00 Seconds  (Sum:1 Days 00 Hours)\n"
              "Shortest run: 3 Hours 00 Minutes 00 Seconds  (Sum:0 Days 03 Hours)\n"
              "Running share of the time since the first startup: 50.8%\n");
}

}  // namespace
}  // namespace veltaro
