#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "calendar/local_date_time.h"
#include "recorder/past_runs.h"
#include "recorder/run_record.h"

namespace veltaro {

// How the computer's running time is added up: by local day, by week (Monday first) or by month.
enum class UsagePeriod { kDay, kWeek, kMonth };

struct UsageBucket {
    LocalDate start;           // the first day of the period
    std::int64_t seconds = 0;  // running time within it
    bool operator==(const UsageBucket&) const = default;
};

struct UsageSummary {
    std::size_t runs = 0;  // the live one included, damaged ones not
    std::size_t damaged = 0;
    std::optional<std::int64_t> firstStartup;  // seconds since 1970
    std::optional<std::int64_t> lastStartup;
    std::int64_t totalMs = 0;
    std::int64_t averageMs = 0;
    std::int64_t longestMs = 0;
    std::int64_t shortestMs = 0;
    // The share of wall-clock time from the first start-up to now that the computer ran;
    // overlapping records (a damaged log may have them) count once.
    double runningShare = 0;
};

// The summary as lines of text in the interface language: runs, first and last start-up, total,
// average, longest and shortest run time, and the running share.
std::vector<std::string> UsageSummaryLines(const UsageSummary& summary, int language);

// Every run (the live one last) as a stretch of wall-clock time, worked out once for all the
// figures: a usage window recomputes them on every open.
class UsageTimeline {
public:
    UsageTimeline(const PastRuns& pastRuns, const RunRecord& liveRun);

    // The running time of the last `count` periods, oldest first, the one holding `nowSeconds`
    // last. Each run is split at local midnights, so a day of a DST change is 23 or 25 hours long
    // and never split wrongly; damaged records count for nothing.
    std::vector<UsageBucket> ByPeriod(UsagePeriod period, int count, std::int64_t nowSeconds) const;

    UsageSummary Summary(std::int64_t nowSeconds) const;

private:
    struct Stretch {
        std::int64_t begin;  // seconds since 1970
        std::int64_t end;
        std::int64_t durationMs;
    };
    std::vector<Stretch> runs_;  // undamaged runs in log order, the live one last
    std::size_t damaged_ = 0;
};

}  // namespace veltaro
