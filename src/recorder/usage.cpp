#include "recorder/usage.h"

#include <algorithm>

#include <cstdio>

#include "platform/clock.h"
#include "platform/interface_language.h"
#include "recorder/history_text.h"

namespace veltaro {
namespace {

// The instant a record's run started: mktime of its own broken-down time, whose DST flag tells
// the ambiguous hour of a change apart.
std::int64_t BeginOf(const RunRecord& run) {
    std::tm start = TmFromStartTime(run.startTime);
    return static_cast<std::int64_t>(std::mktime(&start));
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

struct SummaryTexts {
    const char* runs;
    const char* damaged;
    const char* first;
    const char* last;
    const char* total;
    const char* average;
    const char* longest;
    const char* shortest;
    const char* share;
};

constexpr SummaryTexts kEnglish{"Runs: ",
                                " (damaged records skipped: ",
                                "First startup: ",
                                "Last startup: ",
                                "Total run time: ",
                                "Average run time: ",
                                "Longest run: ",
                                "Shortest run: ",
                                "Running share of the time since the first startup: "};
constexpr SummaryTexts kChinese{"启动次数: ", "（跳过损坏记录: ", "首次开机: ",
                                "最近开机: ", "总运行时间: ",     "平均运行时间: ",
                                "最长运行: ", "最短运行: ",       "首次开机以来的运行时间占比: "};

}  // namespace

std::vector<std::string> UsageSummaryLines(const UsageSummary& summary, int language) {
    const SummaryTexts& texts = ShowsChineseTexts(language) ? kChinese : kEnglish;
    std::string runs = texts.runs + std::to_string(summary.runs);
    if (summary.damaged > 0) {
        runs += texts.damaged + std::to_string(summary.damaged) +
                (ShowsChineseTexts(language) ? "）" : ")");
    }
    std::vector<std::string> lines = {runs};
    if (summary.firstStartup && summary.lastStartup) {
        lines.push_back(texts.first + DateTimeText(LocalTime(*summary.firstStartup)));
        lines.push_back(texts.last + DateTimeText(LocalTime(*summary.lastStartup)));
    }
    lines.push_back(texts.total + SpanText(summary.totalMs, language));
    lines.push_back(texts.average + SpanText(summary.averageMs, language));
    lines.push_back(texts.longest + SpanText(summary.longestMs, language));
    lines.push_back(texts.shortest + SpanText(summary.shortestMs, language));
    char share[16];
    std::snprintf(share, sizeof share, "%.1f%%", summary.runningShare * 100);
    lines.push_back(texts.share + std::string(share));
    return lines;
}

UsageTimeline::UsageTimeline(const PastRuns& pastRuns, const RunRecord& liveRun)
    : damaged_(pastRuns.DamagedCount()) {
    runs_.reserve(pastRuns.Count() + 1);
    const auto add = [this](const RunRecord& run) {
        const std::int64_t begin = BeginOf(run);
        runs_.push_back({begin, begin + run.durationMs / 1000, run.durationMs});
    };
    for (std::size_t index = 0; index < pastRuns.Count(); ++index) {
        if (!pastRuns.IsDamaged(index)) {
            add(pastRuns[index]);
        }
    }
    add(liveRun);
}

std::vector<UsageBucket> UsageTimeline::ByPeriod(UsagePeriod period, int count,
                                                 std::int64_t nowSeconds) const {
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
    for (const Stretch& run : runs_) {
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

UsageSummary UsageTimeline::Summary(std::int64_t nowSeconds) const {
    UsageSummary summary;
    summary.damaged = damaged_;
    summary.runs = runs_.size();
    summary.firstStartup = runs_.front().begin;
    summary.lastStartup = runs_.back().begin;
    summary.shortestMs = runs_.front().durationMs;
    for (const Stretch& run : runs_) {
        summary.totalMs += run.durationMs;
        summary.longestMs = std::max(summary.longestMs, run.durationMs);
        summary.shortestMs = std::min(summary.shortestMs, run.durationMs);
    }
    summary.averageMs = summary.totalMs / static_cast<std::int64_t>(summary.runs);
    // The union of the runs over the span since the first start-up.
    std::vector<Stretch> sorted = runs_;
    std::sort(sorted.begin(), sorted.end(),
              [](const Stretch& a, const Stretch& b) { return a.begin < b.begin; });
    const std::int64_t first = sorted.front().begin;
    std::int64_t covered = 0;
    std::int64_t reach = first;
    for (const Stretch& run : sorted) {
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
