#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <vector>

namespace veltaro {

// What the process manager shows of one process: the name the kernel gives it, the full path of
// its executable and when it was created (local time).
struct ProcessDescription {
    std::string name;
    std::string path;
    std::tm createTime{};
};

// One file mapped into a process: its file name and full path.
struct ModuleEntry {
    std::string name;
    std::string path;
    bool operator==(const ModuleEntry&) const = default;
};

// One thread of a process: its id and its scheduling level (the nice value).
struct ThreadEntry {
    int id = 0;
    int level = 0;
    bool operator==(const ThreadEntry&) const = default;
};

// A cheap sign that no process came or went: the number of tasks on the system and the last
// process id handed out. Both stay the same only while no task starts (every start takes a new id)
// and none ends (the count would drop).
struct TaskCensus {
    long tasks = 0;
    long lastPid = 0;
    bool operator==(const TaskCensus&) const = default;
};

// Where the process lists come from. The real one reads /proc; tests hand the logic their own.
class ProcessSource {
public:
    virtual ~ProcessSource() = default;

    // Taken before a pass over the ids; empty when the system can't tell.
    virtual std::optional<TaskCensus> Census() const = 0;
    // The ids of every running process, in the order the system lists them.
    virtual std::vector<int> ProcessIds() const = 0;
    // Empty when the process can't be opened (another user's, a kernel thread, already gone): it
    // is counted but not listed.
    virtual std::optional<ProcessDescription> Describe(int pid) const = 0;
    // The distinct files mapped into the process, its executable first; empty when unreadable.
    virtual std::vector<ModuleEntry> Modules(int pid) const = 0;
    virtual std::vector<ThreadEntry> Threads(int pid) const = 0;
    // Whether the process has `path` open (a descriptor, its working or root folder).
    virtual bool HoldsOpen(int pid, const std::string& path) const = 0;
};

}  // namespace veltaro
