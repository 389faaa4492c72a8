#pragma once

#include <span>

namespace veltaro {

// The process manager's context menu and the commands of its items.
enum ProcessCommand : int {
    kKillProcess = 32800,
    kDeleteFile = 32801,
    kAboutFile = 32802,
    kFileProperty = 32804,
    kBrowseFile = 32809,
    kShowProcessList = 32818,
    kShowModuleList = 32819,
    kShowThreadList = 32820,
};

enum class ShownList { kProcesses, kModules, kThreads };

struct ProcessMenuItem {
    int command;  // 0: a separator
    const char* english;
    const char* chinese;
};

// The items in their order, both languages.
std::span<const ProcessMenuItem> ProcessMenuItems();

struct ProcessMenuItemState {
    bool enabled = false;
    bool checked = false;
};

// Whether an item is enabled and checked, by the list on show and whether a process row is
// selected.
ProcessMenuItemState StateOfProcessMenuItem(int command, ShownList shown, bool processSelected);

}  // namespace veltaro
