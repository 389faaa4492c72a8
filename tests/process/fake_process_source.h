#pragma once

#include <map>
#include <set>

#include "process/process_source.h"

namespace veltaro::testing {

// Processes that a test makes up; counts the passes over the ids and the descriptions asked for.
class FakeProcessSource final : public ProcessSource {
public:
    struct Process {
        std::optional<ProcessDescription> description;  // empty: can't be opened
        std::vector<ModuleEntry> modules;
        std::set<std::string> open;
    };

    std::optional<TaskCensus> Census() const override { return census; }
    std::vector<int> ProcessIds() const override {
        ++passes;
        return order;
    }
    std::optional<ProcessDescription> Describe(int pid) const override {
        ++describeCalls;
        return processes.at(pid).description;
    }
    std::vector<ModuleEntry> Modules(int pid) const override { return processes.at(pid).modules; }
    std::vector<ThreadEntry> Threads(int) const override { return {}; }
    bool HoldsOpen(int pid, const std::string& path) const override {
        return processes.at(pid).open.count(path) > 0;
    }

    void Add(int pid, const std::string& name, std::vector<ModuleEntry> modules = {}) {
        ProcessDescription description{name, "/usr/bin/" + name, {}};
        description.createTime.tm_year = 126;
        description.createTime.tm_mday = 11;
        description.createTime.tm_mon = 11;
        processes[pid] = {description, std::move(modules), {}};
        order.push_back(pid);
    }
    void End(int pid) { std::erase(order, pid); }

    std::map<int, Process> processes;
    std::vector<int> order;
    std::optional<TaskCensus> census;  // empty: every refresh makes a pass
    mutable int describeCalls = 0;
    mutable int passes = 0;
};

}  // namespace veltaro::testing
