#include "recorder/history_text.h"

#include <gtest/gtest.h>

#include "recorder/recorder_test_support.h"

namespace veltaro {
namespace {

using testing::LocalSeconds;
using testing::RunStartedAt;

constexpr int kEnglish = 9;

TEST(HistoryTextTest, OrdinalCaptions) {
    const struct {
        int ordinal;
        int language;
        const char* caption;
    } cases[] = {
        {1, kEnglish, "The 1st startup"},     {2, kEnglish, "The 2nd startup"},
        {3, kEnglish, "The 3rd startup"},     {4, kEnglish, "The 4th startup"},
        {11, kEnglish, "The 11th startup"},   {12, kEnglish, "The 12th startup"},
        {13, kEnglish, "The 13th startup"},   {21, kEnglish, "The 21th startup"},
        {22, kEnglish, "The 22th startup"},   {1, 7, "The 1st startup"},
        {1, kLanguageChinese, "第 1 次启动"}, {21, kLanguageChinese, "第 21 次启动"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(OrdinalCaption(c.ordinal, c.language), c.caption)
            << c.ordinal << " in " << c.language;
    }
}

TEST(HistoryTextTest, SpansInHoursAndInDays) {
    const struct {
        std::int64_t milliseconds;
        int language;
        const char* runTime;
        const char* cumulative;
    } cases[] = {
        {93'784'000, kEnglish, "Run Time: 26 Hours 03 Minutes 04 Seconds  (Sum:1 Days 02 Hours)",
         "Cumulative Time: 26 Hours 03 Minutes 04 Seconds  (Sum:1 Days 02 Hours)"},
        {93'784'000, kLanguageChinese, "运行时间: 26 小时 03 分 04 秒  (合计:1 天 02 小时)",
         "累积时间: 26 小时 03 分 04 秒  (合计:1 天 02 小时)"},
        {999, kEnglish, "Run Time: 0 Hours 00 Minutes 00 Seconds  (Sum:0 Days 00 Hours)",
         "Cumulative Time: 0 Hours 00 Minutes 00 Seconds  (Sum:0 Days 00 Hours)"},
        // Beyond what 32 bits of hours hold: 10^10 hours.
        {36'000'000'000'000'000, kEnglish,
         "Run Time: 10000000000 Hours 00 Minutes 00 Seconds  (Sum:416666666 Days 16 Hours)",
         "Cumulative Time: 10000000000 Hours 00 Minutes 00 Seconds  (Sum:416666666 Days 16 Hours)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RunTimeLine(c.milliseconds, c.language), c.runTime);
        EXPECT_EQ(CumulativeLine(c.milliseconds, c.language), c.cumulative);
    }
}

TEST(HistoryTextTest, StartupAndShutdownLines) {
    const RunRecord run = RunStartedAt(LocalSeconds(2008, 3, 1, 23, 30, 0), 3'600'999);
    const std::tm shutdown = ShutdownTimeOf(run);

    EXPECT_EQ(StartupLine(run.startTime, kEnglish), "Startup Time: 2008/03/01 23:30:00");
    EXPECT_EQ(StartupLine(run.startTime, kLanguageChinese), "开机时间: 2008/03/01 23:30:00");
    // The odd 999 ms are dropped.
    EXPECT_EQ(ShutdownLine(shutdown, kEnglish), "Shutdown Time: 2008/03/02 00:30:00");
    EXPECT_EQ(ShutdownLine(shutdown, kLanguageChinese), "关机时间: 2008/03/02 00:30:00");
    EXPECT_EQ(ShutdownLine(std::nullopt, kEnglish), "Shutdown Time: Unknown");
    EXPECT_EQ(ShutdownLine(std::nullopt, kLanguageChinese), "关机时间: 未知");
}

TEST(HistoryTextTest, DamagedRecordsKeepTheirPlaceButCountForNothing) {
    const RunRecord good = RunStartedAt(LocalSeconds(2008, 3, 1, 23, 30, 0), 3'600'000);
    RunRecord hugeYear = good;
    hugeYear.startTime.tm_year = std::numeric_limits<std::int32_t>::max();
    RunRecord negative = good;
    negative.durationMs = -5;
    RunRecord endless = good;
    endless.durationMs = std::numeric_limits<std::int64_t>::max();
    const PastRuns logged({hugeYear, good, negative, endless});
    EXPECT_EQ(logged.DamagedCount(), 3u);

    const auto damaged = HistoryLinesOfRun(logged, good, 1, kEnglish);
    ASSERT_TRUE(damaged);
    EXPECT_EQ(damaged->caption, "The 1st startup");
    EXPECT_EQ(damaged->startup, "Startup Time: damaged record");
    EXPECT_EQ(damaged->shutdown, "Shutdown Time: Unknown");
    EXPECT_EQ(damaged->runTime, "Run Time: damaged record");
    EXPECT_EQ(damaged->cumulative, CumulativeLine(0, kEnglish));
    EXPECT_EQ(HistoryLinesOfRun(logged, good, 3, kLanguageChinese)->runTime,
              "运行时间: 记录已损坏");
    // The live run, 5th, counts only the two good runs.
    EXPECT_EQ(HistoryLinesOfRun(logged, good, 5, kEnglish)->cumulative,
              CumulativeLine(2 * 3'600'000, kEnglish));
}

TEST(HistoryTextTest, RunsNotYetInTheLogSaySo) {
    const RunRecord run = RunStartedAt(LocalSeconds(2008, 3, 1, 23, 30, 0), 3'600'000);
    const PastRuns pastRuns({run, run}, {run});

    EXPECT_EQ(HistoryLinesOfRun(pastRuns, run, 2, kEnglish)->caption, "The 2nd startup");
    EXPECT_EQ(HistoryLinesOfRun(pastRuns, run, 3, kEnglish)->caption,
              "The 3rd startup (not yet written to the log)");
    EXPECT_EQ(HistoryLinesOfRun(pastRuns, run, 3, kLanguageChinese)->caption,
              "第 3 次启动（尚未写入记录文件）");
    EXPECT_EQ(HistoryLinesOfRun(pastRuns, run, 4, kEnglish)->caption, "The 4th startup");
}

class HistoryLinesTest : public ::testing::Test {
protected:
    const PastRuns logged_{{
        RunStartedAt(LocalSeconds(2008, 3, 1, 23, 30, 0), 3'600'999),
        RunStartedAt(LocalSeconds(2008, 3, 2, 8, 0, 0), 93'784'000),
    }};
    const RunRecord current_ = RunStartedAt(LocalSeconds(2008, 3, 3, 9, 0, 0), 61'000);
};

TEST_F(HistoryLinesTest, PastRunCountsTheRunsBeforeIt) {
    const auto lines = HistoryLinesOfRun(logged_, current_, 2, kEnglish);

    ASSERT_TRUE(lines);
    EXPECT_EQ(lines->caption, "The 2nd startup");
    EXPECT_EQ(lines->startup, "Startup Time: 2008/03/02 08:00:00");
    EXPECT_EQ(lines->shutdown, "Shutdown Time: 2008/03/03 10:03:04");
    EXPECT_EQ(lines->runTime, RunTimeLine(93'784'000, kEnglish));
    EXPECT_EQ(lines->cumulative, CumulativeLine(3'600'999 + 93'784'000, kEnglish));
}

TEST_F(HistoryLinesTest, LiveRunComesLastWithAnUnknownShutdown) {
    const auto lines = HistoryLinesOfRun(logged_, current_, 3, kLanguageChinese);

    ASSERT_TRUE(lines);
    EXPECT_EQ(lines->caption, "第 3 次启动");
    EXPECT_EQ(lines->shutdown, "关机时间: 未知");
    EXPECT_EQ(lines->runTime, RunTimeLine(61'000, kLanguageChinese));
    EXPECT_EQ(lines->cumulative, CumulativeLine(3'600'999 + 93'784'000 + 61'000, kLanguageChinese));
}

TEST_F(HistoryLinesTest, EmptyLogShowsOnlyTheLiveRun) {
    const auto lines = HistoryLinesOfRun(PastRuns(), current_, 1, kEnglish);

    ASSERT_TRUE(lines);
    EXPECT_EQ(lines->caption, "The 1st startup");
    EXPECT_EQ(lines->shutdown, "Shutdown Time: Unknown");
    EXPECT_EQ(lines->cumulative, CumulativeLine(61'000, kEnglish));
    EXPECT_FALSE(HistoryLinesOfRun(PastRuns(), current_, 2, kEnglish));
}

TEST_F(HistoryLinesTest, NoLinesOutsideTheRuns) {
    for (const int ordinal : {0, -1, 4}) {
        EXPECT_FALSE(HistoryLinesOfRun(logged_, current_, ordinal, kEnglish)) << ordinal;
    }
}

}  // namespace
}  // namespace veltaro
