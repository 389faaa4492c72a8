#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "process/process_source.h"

namespace veltaro {

// One row of the process list, as its cells show it.
struct ProcessRow {
    std::string name;
    std::string pidText;  // " % 8d": sorts by number as text
    std::string path;
    std::string createTime;
};

// The process list as the refresh sees it: the rows are the record, a process is known by the
// number in its PID cell. The window puts this over its list control; tests over a vector.
class ProcessListView {
public:
    virtual ~ProcessListView() = default;
    virtual std::size_t RowCount() const = 0;
    virtual std::string PidCell(std::size_t row) const = 0;
    virtual void AppendRow(const ProcessRow& row) = 0;
    virtual void RemoveRow(std::size_t row) = 0;
    virtual std::string CountLine() const = 0;
    virtual void SetCountLine(const std::string& text) = 0;
};

// " % 8d" of `pid`: seven blanks and 4 for pid 4.
std::string PidCellText(int pid);
// The decimal-integer rule: leading blanks skipped, digits up to the first other character.
int PidOfCell(std::string_view cell);
// "YYYY/MM/DD hh:mm:ss".
std::string CreateTimeText(const std::tm& time);
// "Process Count: N" / "进程数量: N".
std::string ProcessCountLine(std::size_t count, int language);

// What a refresh keeps for the next one. The processes it could not describe (kernel threads,
// other users') are counted on every refresh but read only once, since reading them again at every
// tick would cost more than the rest of the refresh together. The census of the last pass lets a
// refresh skip the pass when no process came or went; a pass still runs after
// `kMostPassesSkipped` skips, since within a pid namespace the census also counts the tasks of
// the outer system, whose coming can hide one of ours going. Emptied with the list when it is
// rebuilt.
struct ProcessListMemory {
    static constexpr int kMostPassesSkipped = 31;

    std::unordered_set<int> undescribed;
    std::optional<TaskCensus> census;
    int passesSkipped = 0;
};

// Brings the list up to date: rows of new processes that can be described are appended, rows of
// ended processes removed (from the highest row down), rows that stay are not touched, and the
// count line (every process, listed or not) is written only when it changes. Reads nothing of a
// process that already has a row or is remembered as undescribable.
void RefreshProcessList(ProcessListView& view, const ProcessSource& source, int language,
                        ProcessListMemory& memory);

// The module list of a process: its mapped files without its own executable (the process list
// shows that one).
std::vector<ModuleEntry> ModuleRowsOf(const ProcessSource& source, int pid);
// "0x%08X".
std::string ThreadIdText(int id);

// The refresh counter of the process manager's timer: shared by every opening of the window, it
// decides when the list is rebuilt from nothing and whether a tick refreshes.
class RefreshCounter {
public:
    static constexpr std::uint32_t kRebuildAfter = 10000;

    struct Tick {
        bool rebuild = false;  // empty the list (and its icons) before the refresh
        bool refresh = false;
    };
    // One timer tick of a window that is `visible` or not: a hidden one refreshes every tenth.
    Tick Next(bool visible);

private:
    std::uint32_t count_ = 0;
};

}  // namespace veltaro
