#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "calendar/gregorian.h"
#include "calendar/holidays.h"
#include "calendar/month_grid.h"
#include "xml/tessvar_xml_parse.h"

namespace {

constexpr int kChinese = 4;

// The file the program ships, as the main window holds it.
class ShippedHolidays {
public:
    ShippedHolidays() { loaded_ = root_.LoadFile(VELTARO_SHIPPED_HOLIDAY_FILE); }
    bool loaded() const { return loaded_; }
    const veltaro::CTessvarXmlParse& root() const { return root_; }

private:
    veltaro::CTessvarXmlParse root_;
    bool loaded_ = false;
};

// One iteration looks up every day of one month, as a full calendar paint does; the months run
// through 2024 so that both short and long months with few and many holidays are measured.
void BM_HolidayLookupsOfAMonth(benchmark::State& state) {
    const ShippedHolidays holidays;
    if (!holidays.loaded()) {
        state.SkipWithError("the shipped holiday file did not load");
        return;
    }
    int month = 1;
    std::vector<veltaro::HolidayEntry> entries;
    for (auto _ : state) {
        for (int day = 1; day <= veltaro::GregorianMonthDays(2024, month); ++day) {
            entries.clear();
            benchmark::DoNotOptimize(
                veltaro::HolidaysOfDate(holidays.root(), 2024, month, day, kChinese, entries));
        }
        month = month % 12 + 1;
    }
    state.SetLabel("per month");
}
BENCHMARK(BM_HolidayLookupsOfAMonth)->Unit(benchmark::kMicrosecond);

// The whole model of a full paint: lunar lines, solar terms, kinds and the holiday lookups.
void BM_MonthGrid(benchmark::State& state) {
    const ShippedHolidays holidays;
    if (!holidays.loaded()) {
        state.SkipWithError("the shipped holiday file did not load");
        return;
    }
    int month = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            veltaro::BuildMonthGrid(holidays.root(), 2024, month, 10, kChinese));
        month = month % 12 + 1;
    }
    state.SetLabel("per month");
}
BENCHMARK(BM_MonthGrid)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
