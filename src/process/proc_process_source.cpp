#include "process/proc_process_source.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <set>
#include <sstream>

#include "platform/clock.h"

namespace veltaro {
namespace {

constexpr std::size_t kLongestPath = 4096;

std::optional<int> NumberOf(const char* text) {
    int value = 0;
    const char* end = text + std::char_traits<char>::length(text);
    const auto [stop, error] = std::from_chars(text, end, value);
    if (error != std::errc() || stop != end || value < 0) {
        return std::nullopt;
    }
    return value;
}

std::vector<int> NumberedEntries(const std::filesystem::path& folder) {
    std::vector<int> ids;
    DIR* directory = ::opendir(folder.c_str());
    if (directory == nullptr) {
        return ids;
    }
    while (const dirent* entry = ::readdir(directory)) {
        if (const std::optional<int> id = NumberOf(entry->d_name)) {
            ids.push_back(*id);
        }
    }
    ::closedir(directory);
    return ids;
}

std::optional<std::string> ReadLink(const std::filesystem::path& link) {
    char target[kLongestPath];
    const ssize_t length = ::readlink(link.c_str(), target, sizeof target);
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof target) {
        return std::nullopt;
    }
    return std::string(target, static_cast<std::size_t>(length));
}

std::string FirstLine(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

// The fields of a stat line after the name, which may itself hold blanks and parentheses: field 3
// (state) is the first of them.
struct StatFields {
    std::string name;
    std::vector<std::string> after;  // after[0] is field 3
};

std::optional<StatFields> ReadStat(const std::filesystem::path& file) {
    const std::string line = FirstLine(file);
    const std::size_t open = line.find('(');
    const std::size_t close = line.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close < open) {
        return std::nullopt;
    }
    StatFields fields{line.substr(open + 1, close - open - 1), {}};
    std::istringstream rest(line.substr(close + 1));
    for (std::string field; rest >> field;) {
        fields.after.push_back(field);
    }
    return fields;
}

// Field `number` (1-based, as proc(5) counts) of a stat line; 0 when missing.
long long StatField(const StatFields& fields, std::size_t number) {
    return number >= 3 && number - 3 < fields.after.size()
               ? std::strtoll(fields.after[number - 3].c_str(), nullptr, 10)
               : 0;
}

long long BootTimeSeconds(const std::filesystem::path& proc) {
    std::ifstream in(proc / "stat");
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("btime ", 0) == 0) {
            return std::strtoll(line.c_str() + 6, nullptr, 10);
        }
    }
    return 0;
}

// The path of a line of a maps file, or empty for an anonymous mapping or a pseudo one.
std::string MappedPath(const std::string& line) {
    const std::size_t slash = line.find('/');
    return slash == std::string::npos ? std::string() : line.substr(slash);
}

std::string FileNameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

ProcProcessSource::ProcProcessSource(std::filesystem::path proc)
    : proc_(std::move(proc)),
      ticksPerSecond_(::sysconf(_SC_CLK_TCK)),
      bootTimeSeconds_(BootTimeSeconds(proc_)) {}

std::optional<TaskCensus> ProcProcessSource::Census() const {
    // "0.39 1.05 1.44 1/118 4689": running/total tasks, then the last id handed out. Read with
    // plain calls, since it is read at every tick of a window.
    const int file = ::open((proc_ / "loadavg").c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) {
        return std::nullopt;
    }
    char text[128];
    const ssize_t length = ::read(file, text, sizeof text - 1);
    ::close(file);
    if (length <= 0) {
        return std::nullopt;
    }
    text[length] = '\0';
    const char* slash = std::strchr(text, '/');
    if (slash == nullptr) {
        return std::nullopt;
    }
    char* end = nullptr;
    TaskCensus census;
    census.tasks = std::strtol(slash + 1, &end, 10);
    const char* lastPid = end;
    census.lastPid = std::strtol(lastPid, &end, 10);
    if (end == lastPid) {
        return std::nullopt;
    }
    return census;
}

std::vector<int> ProcProcessSource::ProcessIds() const {
    return NumberedEntries(proc_);
}

std::optional<ProcessDescription> ProcProcessSource::Describe(int pid) const {
    const std::filesystem::path folder = proc_ / std::to_string(pid);
    // Kernel threads have no executable and other users' links can't be read: not listed.
    std::optional<std::string> path = ReadLink(folder / "exe");
    const std::optional<StatFields> stat = ReadStat(folder / "stat");
    if (!path || !stat) {
        return std::nullopt;
    }
    const long long startTicks = StatField(*stat, 22);
    const long long created =
        bootTimeSeconds_ + (ticksPerSecond_ > 0 ? startTicks / ticksPerSecond_ : 0);
    return ProcessDescription{stat->name, std::move(*path), LocalTime(created)};
}

std::vector<ModuleEntry> ProcProcessSource::Modules(int pid) const {
    const std::filesystem::path folder = proc_ / std::to_string(pid);
    std::vector<ModuleEntry> modules;
    const std::optional<std::string> executable = ReadLink(folder / "exe");
    if (!executable) {
        return modules;
    }
    modules.push_back({FileNameOf(*executable), *executable});
    std::set<std::string> seen{*executable};
    std::ifstream maps(folder / "maps");
    for (std::string line; std::getline(maps, line);) {
        std::string path = MappedPath(line);
        if (!path.empty() && seen.insert(path).second) {
            modules.push_back({FileNameOf(path), std::move(path)});
        }
    }
    return modules;
}

std::vector<ThreadEntry> ProcProcessSource::Threads(int pid) const {
    const std::filesystem::path tasks = proc_ / std::to_string(pid) / "task";
    std::vector<ThreadEntry> threads;
    for (const int tid : NumberedEntries(tasks)) {
        if (const std::optional<StatFields> stat = ReadStat(tasks / std::to_string(tid) / "stat")) {
            threads.push_back({tid, static_cast<int>(StatField(*stat, 19))});
        }
    }
    return threads;
}

bool ProcProcessSource::HoldsOpen(int pid, const std::string& path) const {
    const std::filesystem::path folder = proc_ / std::to_string(pid);
    for (const char* link : {"cwd", "root"}) {
        if (ReadLink(folder / link) == path) {
            return true;
        }
    }
    const std::filesystem::path descriptors = folder / "fd";
    for (const int fd : NumberedEntries(descriptors)) {
        if (ReadLink(descriptors / std::to_string(fd)) == path) {
            return true;
        }
    }
    return false;
}

}  // namespace veltaro
