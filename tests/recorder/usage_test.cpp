#include "recorder/usage.h"

#include <stdlib.h>
#include <time.h>

#include <gtest/gtest.h>

#include "recorder/recorder_test_support.h"

namespace veltaro {
namespace {

using testing::LocalSeconds;
using testing::RunStartedAt;

constexpr std::int64_t kHour = 3600;

// A time zone for one test; the pinned one comes back afterwards.
class ZoneScope {
public:
    explicit ZoneScope(const char* zone) : previous_(::getenv("TZ")) {
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
    ~ZoneScope() {
        ::setenv("TZ", previous_.c_str(), 1);
        ::tzset();
    }

private:
    std::string previous_;
};

RunRecord RunOf(int year, int month, int day, int hour, std::int64_t hours) {
    return RunStartedAt(LocalSeconds(year, month, day, hour, 0, 0), hours * kHour * 1000);
}

std::vector<std::int64_t> HoursOf(const std::vector<UsageBucket>& buckets) {
    std::vector<std::int64_t> hours;
    for (const UsageBucket& bucket : buckets) {
        hours.push_back(bucket.seconds / kHour);
    }
    return hours;
}

TEST(UsageByPeriod, SplitsRunsAtLocalMidnights) {
    const PastRuns past({RunOf(2024, 5, 1, 23, 3), RunOf(2024, 5, 3, 12, 50)});
    const RunRecord live = RunOf(2024, 5, 6, 8, 2);
    const std::int64_t now = LocalSeconds(2024, 5, 6, 10, 0, 0);

    const std::vector<UsageBucket> days =
        UsageTimeline(past, live).ByPeriod(UsagePeriod::kDay, 7, now);

    ASSERT_EQ(days.size(), 7u);
    EXPECT_EQ(days.front().start, (LocalDate{2024, 4, 30}));
    EXPECT_EQ(days.back().start, (LocalDate{2024, 5, 6}));
    // 23:00..02:00; then 50 hours from noon on the 3rd; then the live run's two hours.
    EXPECT_EQ(HoursOf(days), (std::vector<std::int64_t>{0, 1, 2, 12, 24, 14, 2}));
}

TEST(UsageByPeriod, WeeksStartOnMondayAndMonthsOnTheFirst) {
    const PastRuns past({RunOf(2024, 1, 31, 22, 4), RunOf(2024, 2, 4, 23, 2)});  // Wed; Sun night
    const RunRecord live = RunOf(2024, 2, 12, 9, 1);
    const std::int64_t now = LocalSeconds(2024, 2, 12, 10, 0, 0);  // a Monday

    const auto weeks = UsageTimeline(past, live).ByPeriod(UsagePeriod::kWeek, 3, now);
    EXPECT_EQ(weeks.front().start, (LocalDate{2024, 1, 29}));
    EXPECT_EQ(HoursOf(weeks), (std::vector<std::int64_t>{5, 1, 1}));
    const auto months = UsageTimeline(past, live).ByPeriod(UsagePeriod::kMonth, 2, now);
    EXPECT_EQ(months.front().start, (LocalDate{2024, 1, 1}));
    EXPECT_EQ(HoursOf(months), (std::vector<std::int64_t>{2, 5}));
}

TEST(UsageByPeriod, DaysOfADaylightSavingChangeAre23Or25HoursLong) {
    const ZoneScope zone("America/New_York");
    for (const auto& [day, expected] :
         {std::pair{LocalDate{2024, 3, 10}, 23}, std::pair{LocalDate{2024, 11, 3}, 25}}) {
        // Running from the evening before to the morning after, in real hours.
        const std::int64_t start = LocalSeconds(day.year, day.month, day.day - 1, 20, 0, 0);
        const RunRecord run = RunStartedAt(start, 40 * kHour * 1000);
        const std::int64_t now = LocalSeconds(day.year, day.month, day.day + 1, 12, 0, 0);

        const auto days = UsageTimeline(PastRuns({run}), RunStartedAt(now, 0))
                              .ByPeriod(UsagePeriod::kDay, 3, now);

        EXPECT_EQ(HoursOf(days), (std::vector<std::int64_t>{4, expected, 40 - 4 - expected}))
            << day.month;
    }
}

TEST(UsageSummary, CountsEachSecondOnceAndSkipsDamagedRecords) {
    RunRecord damaged = RunOf(2024, 5, 2, 0, 1);
    damaged.durationMs = -1;
    // The second run overlaps the first by an hour.
    const PastRuns past({RunOf(2024, 5, 1, 0, 4), RunOf(2024, 5, 1, 3, 2), damaged});
    const RunRecord live = RunOf(2024, 5, 1, 12, 6);
    const std::int64_t now = LocalSeconds(2024, 5, 1, 18, 0, 0);

    const UsageSummary summary = UsageTimeline(past, live).Summary(now);

    EXPECT_EQ(summary.runs, 3u);
    EXPECT_EQ(summary.damaged, 1u);
    EXPECT_EQ(summary.firstStartup, LocalSeconds(2024, 5, 1, 0, 0, 0));
    EXPECT_EQ(summary.lastStartup, LocalSeconds(2024, 5, 1, 12, 0, 0));
    EXPECT_EQ(summary.totalMs, 12 * kHour * 1000);
    EXPECT_EQ(summary.averageMs, 4 * kHour * 1000);
    EXPECT_EQ(summary.longestMs, 6 * kHour * 1000);
    EXPECT_EQ(summary.shortestMs, 2 * kHour * 1000);
    EXPECT_DOUBLE_EQ(summary.runningShare, 11.0 / 18.0);
}

TEST(UsageSummary, AnEmptyLogIsTheLiveRunAlone) {
    const RunRecord live = RunOf(2024, 5, 1, 8, 2);
    const UsageSummary summary =
        UsageTimeline(PastRuns(), live).Summary(LocalSeconds(2024, 5, 1, 10, 0, 0));
    EXPECT_EQ(summary.runs, 1u);
    EXPECT_DOUBLE_EQ(summary.runningShare, 1.0);
}

}  // namespace
}  // namespace veltaro
