#include "recorder/usage.h"

#include <algorithm>

#include "platform/clock.h"

namespace veltaro {
namespace {

struct Interval {
    std::int64_t begin;  // seconds since 1970
    std::int64_t end;
};

// The instant a record's run started: mktime of its own broken-down time, whose DST flag tells
// the ambiguous hour of a change apart.
Interval IntervalOf(const RunRecord& run) {
    std::tm start = TmFromStartTime(run.startTime);
    const auto begin = static_cast<std::int64_t>(std::mktime(&start));
    return {begin, begin + run.durationMs / 1000};
}

std::int64_t LocalMidnight(const LocalDate& date) {
    std::tm midnight{};
    midnight.tm_year = date.year - 1900;
    midnight.tm_mon = date.month - 1;
    midnight.tm_mday = date.day;
    midnight.tm_isdst = -1;
    return static_cast<std::int64_t>(std::mktime(&midnight));
}

LocalDate FirstDayOfPeriod(const LocalDate& day, UsagePeriod period) {
    switch (period) {
        case UsagePeriod::kDay:
            return day;
        case UsagePeriod::kWeek:
            return AddDays(day, 1 - IsoWeekday(day));
        case UsagePeriod::kMonth:
            return {day.year, day.month, 1};
    }
    return day;
}

LocalDate ShiftPeriods(const LocalDate& first, UsagePeriod period, int periods) {
    switch (period) {
        case UsagePeriod::kDay:
            return AddDays(first, periods);
        case UsagePeriod::kWeek:
            return AddDays(first, 7 * periods);
        case UsagePeriod::kMonth: {
            const int months = first.year * 12 + (first.month - 1) + periods;
            return {months / 12, months % 12 + 1, 1};
        }
    }
    return first;
}

// Every run as an interval of wall-clock seconds, the live one last; damaged ones left out.
std::vector<Interval> RunIntervals(const PastRuns& pastRuns, const RunRecord& liveRun) {
    std::vector<Interval> intervals;
    intervals.reserve(pastRuns.Count() + 1);
    for (std::size_t index = 0; index < pastRuns.Count(); ++index) {
        if (!pastRuns.IsDamaged(index)) {
            intervals.push_back(IntervalOf(pastRuns[index]));
        }
    }
    intervals.push_back(IntervalOf(liveRun));
    return intervals;
}

}  // namespace

std::vector<UsageBucket> UsageByPeriod(const PastRuns& pastRuns, const RunRecord& liveRun,
                                       UsagePeriod period, int count, std::int64_t nowSeconds) {
    if (count <= 0) {
        return {};
    }
    const LocalDate today = DateOf(LocalDateTimeFromTm(LocalTime(nowSeconds)));
    const LocalDate last = FirstDayOfPeriod(today, period);
    std::vector<UsageBucket> buckets(static_cast<std::size_t>(count));
    std::vector<std::int64_t> bounds(static_cast<std::size_t>(count) + 1);
    for (int i = 0; i <= count; ++i) {
        const LocalDate start = ShiftPeriods(last, period, i - count + 1);
        bounds[static_cast<std::size_t>(i)] = LocalMidnight(start);
        if (i < count) {
            buckets[static_cast<std::size_t>(i)].start = start;
        }
    }
    for (const Interval& run : RunIntervals(pastRuns, liveRun)) {
        if (run.end <= bounds.front() || run.begin >= bounds.back()) {
            continue;
        }
        // The first period the run reaches into, then on while it lasts.
        auto bound = std::upper_bound(bounds.begin(), bounds.end(), run.begin);
        std::size_t index =
            bound == bounds.begin() ? 0 : static_cast<std::size_t>(bound - bounds.begin()) - 1;
        for (; index < buckets.size() && bounds[index] < run.end; ++index) {
            const std::int64_t from = std::max(run.begin, bounds[index]);
            const std::int64_t to = std::min(run.end, bounds[index + 1]);
            buckets[index].seconds += std::max<std::int64_t>(0, to - from);
        }
    }
    return buckets;
}

UsageSummary SummarizeUsage(const PastRuns& pastRuns, const RunRecord& liveRun,
                            std::int64_t nowSeconds) {
    UsageSummary summary;
    summary.damaged = pastRuns.DamagedCount();
    std::vector<Interval> intervals = RunIntervals(pastRuns, liveRun);
    summary.runs = intervals.size();
    std::int64_t shortest = INT64_MAX;
    auto consider = [&](const RunRecord& run) {
        summary.totalMs += run.durationMs;
        summary.longestMs = std::max(summary.longestMs, run.durationMs);
        shortest = std::min(shortest, run.durationMs);
    };
    for (std::size_t index = 0; index < pastRuns.Count(); ++index) {
        if (!pastRuns.IsDamaged(index)) {
            consider(pastRuns[index]);
        }
    }
    consider(liveRun);
    summary.shortestMs = shortest;
    summary.averageMs = summary.totalMs / static_cast<std::int64_t>(summary.runs);
    summary.firstStartup = intervals.front().begin;
    summary.lastStartup = intervals.back().begin;
    // The union of the runs over the span since the first start-up.
    std::sort(intervals.begin(), intervals.end(),
              [](const Interval& a, const Interval& b) { return a.begin < b.begin; });
    const std::int64_t first = intervals.front().begin;
    std::int64_t covered = 0;
    std::int64_t reach = first;
    for (const Interval& run : intervals) {
        const std::int64_t from = std::max(run.begin, reach);
        const std::int64_t to = std::min(run.end, nowSeconds);
        covered += std::max<std::int64_t>(0, to - from);
        reach = std::max(reach, to);
    }
    const std::int64_t span = nowSeconds - std::min(first, nowSeconds);
    summary.runningShare = span > 0 ? static_cast<double>(covered) / static_cast<double>(span) : 0;
    return summary;
}

}  // namespace veltaro
