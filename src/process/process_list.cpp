#include "process/process_list.h"

#include <algorithm>
#include <cstdio>
#include <unordered_map>

#include "platform/interface_language.h"

namespace veltaro {

std::string PidCellText(int pid) {
    char text[32];
    std::snprintf(text, sizeof text, "% 8d", pid);
    return text;
}

int PidOfCell(std::string_view cell) {
    std::size_t at = cell.find_first_not_of(' ');
    int value = 0;
    for (; at < cell.size() && cell[at] >= '0' && cell[at] <= '9'; ++at) {
        value = value * 10 + (cell[at] - '0');
    }
    return value;
}

std::string CreateTimeText(const std::tm& time) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d:%02d", time.tm_year + 1900,
                  time.tm_mon + 1, time.tm_mday, time.tm_hour, time.tm_min, time.tm_sec);
    return text;
}

std::string ProcessCountLine(std::size_t count, int language) {
    return (ShowsChineseTexts(language) ? "进程数量: " : "Process Count: ") + std::to_string(count);
}

namespace {

// Whether nothing can have changed since the last pass, counting the skip.
bool MaySkipPass(const std::optional<TaskCensus>& census, ProcessListMemory& memory) {
    if (census && census == memory.census &&
        memory.passesSkipped < ProcessListMemory::kMostPassesSkipped) {
        ++memory.passesSkipped;
        return true;
    }
    memory.census = census;
    memory.passesSkipped = 0;
    return false;
}

}  // namespace

void RefreshProcessList(ProcessListView& view, const ProcessSource& source, int language,
                        ProcessListMemory& memory) {
    if (MaySkipPass(source.Census(), memory)) {
        return;
    }
    // Known ids by row; an entry is cleared (-1) once its process is seen running.
    std::vector<int> known(view.RowCount());
    std::unordered_map<int, std::size_t> rowOfPid;
    for (std::size_t row = 0; row < known.size(); ++row) {
        known[row] = PidOfCell(view.PidCell(row));
        rowOfPid.emplace(known[row], row);
    }
    const std::vector<int> pids = source.ProcessIds();
    std::unordered_set<int> stillUndescribed;
    for (const int pid : pids) {
        if (const auto found = rowOfPid.find(pid); found != rowOfPid.end()) {
            known[found->second] = -1;
        } else if (memory.undescribed.contains(pid)) {
            stillUndescribed.insert(pid);
        } else if (const std::optional<ProcessDescription> process = source.Describe(pid)) {
            view.AppendRow({process->name, PidCellText(pid), process->path,
                            CreateTimeText(process->createTime)});
        } else {
            stillUndescribed.insert(pid);
        }
    }
    memory.undescribed = std::move(stillUndescribed);
    for (std::size_t row = known.size(); row-- > 0;) {
        if (known[row] != -1) {
            view.RemoveRow(row);
        }
    }
    const std::string countLine = ProcessCountLine(pids.size(), language);
    if (view.CountLine() != countLine) {
        view.SetCountLine(countLine);
    }
}

std::vector<ModuleEntry> ModuleRowsOf(const ProcessSource& source, int pid) {
    std::vector<ModuleEntry> modules = source.Modules(pid);
    if (!modules.empty()) {
        modules.erase(modules.begin());
    }
    return modules;
}

std::string ThreadIdText(int id) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(id));
    return text;
}

RefreshCounter::Tick RefreshCounter::Next(bool visible) {
    Tick tick;
    if (count_ > kRebuildAfter) {
        tick.rebuild = true;
        count_ = 0;
    }
    tick.refresh = visible || count_ % 10 == 0;
    ++count_;
    return tick;
}

}  // namespace veltaro
