#include <benchmark/benchmark.h>

#include <vector>

#include "calendar/calendar.h"
#include "calendar/gregorian.h"

namespace {

struct GregorianDate {
    int year, month, day;
};

// Every day the lunar table covers, 1900-01-31 to 2100-02-08.
std::vector<GregorianDate> CoveredDates() {
    std::vector<GregorianDate> dates;
    const std::int64_t last = veltaro::DaysFromCivil(2100, 2, 8);
    for (std::int64_t day = veltaro::DaysFromCivil(1900, 1, 31); day <= last; ++day) {
        const veltaro::CivilDate date = veltaro::CivilFromDays(day);
        dates.push_back({static_cast<int>(date.year), date.month, date.day});
    }
    return dates;
}

// One iteration converts the whole covered range; "per_date" is the figure to watch.
void BM_SolarToLunarFullRange(benchmark::State& state) {
    const std::vector<GregorianDate> dates = CoveredDates();
    const veltaro::CCalendar calendar;
    for (auto _ : state) {
        for (const GregorianDate& date : dates) {
            benchmark::DoNotOptimize(calendar.SolarToLunar(date.year, date.month, date.day));
        }
    }
    state.counters["dates"] = static_cast<double>(dates.size());
    state.counters["per_date"] = benchmark::Counter(
        static_cast<double>(dates.size()),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_SolarToLunarFullRange)->Unit(benchmark::kMillisecond);

void BM_SolarTermDaysOfYear(benchmark::State& state) {
    const veltaro::CCalendar calendar;
    int year = 1900;
    for (auto _ : state) {
        for (int term = 0; term < 24; ++term) {
            benchmark::DoNotOptimize(calendar.SolarTermDay(year, term));
        }
        year = year == 2100 ? 1900 : year + 1;
    }
}
BENCHMARK(BM_SolarTermDaysOfYear);

}  // namespace

BENCHMARK_MAIN();
