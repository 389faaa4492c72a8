// The tray menu's model built with ten plug-in libraries loaded (names asked, items numbered,
// item changes applied), as at every opening of the menu.
#include <benchmark/benchmark.h>

#include "plugins/plugin_host.h"
#include "plugins/shared_library_plugin.h"
#include "temp_folder.h"

namespace {

using namespace veltaro;

void BM_TrayMenuWithTenPlugins(benchmark::State& state) {
    const testing::TempFolder folder;
    PluginHost host;
    for (int copy = 0; copy < 10; ++copy) {
        // Copies, so that each is a library of its own.
        const auto file = folder.Path() / ("plugin" + std::to_string(copy) + ".so");
        std::filesystem::copy_file(VELTARO_BENCH_PLUGIN, file);
        host.AddPlugin(LoadPluginLibrary(file), 9);
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(BuildTrayMenu({9, true}, host.BuildMenuItems()));
    }
    state.counters["plugins"] = static_cast<double>(host.Count());
}
BENCHMARK(BM_TrayMenuWithTenPlugins)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
