#include <benchmark/benchmark.h>

#include <string>

#include "remind/remind_file.h"
#include "remind/remind_plan_edit.h"
#include "remind/remind_schedule.h"
#include "xml/tessvar_xml_parse.h"

namespace {

constexpr int kPlanCount = 1000;
constexpr veltaro::LocalDateTime kNow{2024, 3, 15, 12, 0, 0};

// A file as a user might fill it: four in ten Gregorian date plans with open fields, three in ten
// lunar plans, three in ten weekly plans.
void AppendMixedPlans(veltaro::CTessvarXmlParse& root) {
    for (int i = 0; i < kPlanCount; ++i) {
        const std::string month = i % 3 == 0 ? "Any" : std::to_string(i % 12 + 1);
        const std::string day = std::to_string(i % 31 + 1);
        const std::string message = "提醒 " + std::to_string(i) + "\n第二行";
        switch (i % 10) {
            case 0:
            case 1:
            case 2:
            case 3:
                veltaro::AppendDatePlan(root, i % 2 == 0 ? "Any" : "2024", month, day, false, 1,
                                        i % 24, i % 60, 0, message);
                break;
            case 4:
            case 5:
            case 6:
                veltaro::AppendDatePlan(root, i % 2 == 0 ? "任意" : std::to_string(1970 + i % 131),
                                        std::to_string(i % 12 + 1), day, true, 2, 8, 0, 0, message);
                break;
            default:
                veltaro::AppendWeeklyPlan(root, i % 128, 3, 7, 30, 0, message);
        }
    }
}

// The slowest plans there are: lunar year ends of years ahead, whose date falls in the next
// Gregorian year, so that the walk to the same day of the year before covers most of a year.
void AppendLunarYearEndPlans(veltaro::CTessvarXmlParse& root) {
    for (int i = 0; i < kPlanCount; ++i) {
        veltaro::AppendDatePlan(root, std::to_string(2025 + i % 75), "12", "30", true, 1, 8, 0, 0,
                                "年末");
    }
}

void RunScheduleBuild(benchmark::State& state, void (*fill)(veltaro::CTessvarXmlParse&)) {
    veltaro::CTessvarXmlParse root;
    root.LoadXml(veltaro::kDefaultRemindText);
    fill(root);
    for (auto _ : state) {
        benchmark::DoNotOptimize(veltaro::BuildRemindSchedule(root, kNow));
    }
    state.counters["plans"] = kPlanCount;
}

void BM_BuildScheduleMixedPlans(benchmark::State& state) {
    RunScheduleBuild(state, AppendMixedPlans);
}
BENCHMARK(BM_BuildScheduleMixedPlans)->Unit(benchmark::kMillisecond);

void BM_BuildScheduleLunarYearEnds(benchmark::State& state) {
    RunScheduleBuild(state, AppendLunarYearEndPlans);
}
BENCHMARK(BM_BuildScheduleLunarYearEnds)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
