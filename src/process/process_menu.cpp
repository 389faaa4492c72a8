#include "process/process_menu.h"

namespace veltaro {
namespace {

constexpr ProcessMenuItem kItems[] = {
    {kKillProcess, "&Kill Process", "结束进程(&K)"},
    {kDeleteFile, "&Delete this file from diskette.", "从磁盘删除此文件(&D)"},
    {0, "", ""},
    {kShowProcessList, "&Process list...", "进程列表(&P)..."},
    {kShowModuleList, "&Module list...", "模块列表(&M)..."},
    {kShowThreadList, "&Thread list...", "线程列表(&T)..."},
    {0, "", ""},
    {kAboutFile, "&About this file...", "关于此文件(&A)..."},
    {0, "", ""},
    {kBrowseFile, "&Browse this file...", "浏览此文件(&B)..."},
    {kFileProperty, "P&roperty...", "属性(&R)..."},
};

}  // namespace

std::span<const ProcessMenuItem> ProcessMenuItems() {
    return kItems;
}

ProcessMenuItemState StateOfProcessMenuItem(int command, ShownList shown, bool processSelected) {
    switch (command) {
        case kKillProcess:
            return {shown == ShownList::kProcesses, false};
        case kDeleteFile:
        case kBrowseFile:
        case kFileProperty:
            return {shown != ShownList::kThreads, false};
        case kShowProcessList:
            return {true, shown == ShownList::kProcesses};
        case kShowModuleList:
            return {processSelected, shown == ShownList::kModules};
        case kShowThreadList:
            return {processSelected, shown == ShownList::kThreads};
        default:
            return {};
    }
}

}  // namespace veltaro
