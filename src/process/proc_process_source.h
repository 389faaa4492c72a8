#pragma once

#include <filesystem>

#include "process/process_source.h"

namespace veltaro {

// The process lists of the running system, from /proc (or a folder laid out like it): a process
// can be described when its executable link can be read, which means the user's own processes, or
// all of them for root.
class ProcProcessSource final : public ProcessSource {
public:
    explicit ProcProcessSource(std::filesystem::path proc = "/proc");

    std::optional<TaskCensus> Census() const override;
    std::vector<int> ProcessIds() const override;
    std::optional<ProcessDescription> Describe(int pid) const override;
    std::vector<ModuleEntry> Modules(int pid) const override;
    std::vector<ThreadEntry> Threads(int pid) const override;
    bool HoldsOpen(int pid, const std::string& path) const override;

private:
    std::filesystem::path proc_;
    long ticksPerSecond_;
    // Read once: the boot time does not change while the system runs, and /proc/stat is costly
    // to generate on a computer with many cores.
    long long bootTimeSeconds_;
};

}  // namespace veltaro
