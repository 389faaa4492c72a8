// The usage figures of 10,000 runs: a year of days, the figure the usage window recomputes on
// every open.
#include <benchmark/benchmark.h>

#include "platform/clock.h"
#include "recorder/usage.h"

namespace {

using namespace veltaro;

constexpr std::int64_t kNow = 1'765'000'000;

PastRuns TenThousandRuns() {
    RunRecords runs;
    for (int i = 0; i < 10'000; ++i) {
        RunRecord run;
        run.startTime = StartTimeFromTm(LocalTime(kNow - (10'000 - i) * 8 * 3600));
        run.durationMs = (2 + i % 6) * 3'600'000LL;
        runs.push_back(run);
    }
    return PastRuns(std::move(runs));
}

void BM_DaysOfAYear(benchmark::State& state) {
    const PastRuns past = TenThousandRuns();
    RunRecord live;
    live.startTime = StartTimeFromTm(LocalTime(kNow - 3600));
    live.durationMs = 3'600'000;
    for (auto _ : state) {
        const UsageTimeline timeline(past, live);
        benchmark::DoNotOptimize(timeline.ByPeriod(UsagePeriod::kDay, 366, kNow));
        benchmark::DoNotOptimize(timeline.Summary(kNow));
    }
}
BENCHMARK(BM_DaysOfAYear)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
