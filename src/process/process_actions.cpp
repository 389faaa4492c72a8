#include "process/process_actions.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <thread>

#include "process/process_texts.h"

namespace veltaro {
namespace {

bool Maps(const ProcessSource& source, int pid, const std::string& path) {
    const std::vector<ModuleEntry> modules = source.Modules(pid);
    return std::any_of(modules.begin(), modules.end(),
                       [&](const ModuleEntry& module) { return module.path == path; });
}

bool Listed(const std::vector<FileHolder>& holders, int pid) {
    return std::any_of(holders.begin(), holders.end(),
                       [pid](const FileHolder& holder) { return holder.pid == pid; });
}

}  // namespace

bool KillProcess(int pid) {
    return pid > 0 && ::kill(pid, SIGKILL) == 0;
}

std::vector<FileHolder> HoldersToEnd(const std::string& path, std::optional<int> chosenPid,
                                     const std::vector<ListedProcess>& listed,
                                     const ProcessSource& source) {
    std::vector<FileHolder> holders;
    for (const ListedProcess& process : listed) {
        const bool holds = chosenPid ? process.pid == *chosenPid : Maps(source, process.pid, path);
        if (holds && !Listed(holders, process.pid)) {
            holders.push_back({process.pid, process.name, false});
        }
    }
    for (const ListedProcess& process : listed) {
        if (!Listed(holders, process.pid) && source.HoldsOpen(process.pid, path)) {
            holders.push_back({process.pid, process.name, true});
        }
    }
    return holders;
}

std::string DeleteQuestion(const std::vector<FileHolder>& holders, int language) {
    const ProcessTexts& texts = ProcessTextsFor(language);
    std::string question = texts.deleteHeading;
    for (const FileHolder& holder : holders) {
        question += holder.name + (holder.openOnly ? texts.openOnlyMark : "") + "\n";
    }
    return question + texts.deleteClosing;
}

bool DeleteFileAfterEnding(const std::string& path, const std::vector<FileHolder>& holders,
                           std::chrono::milliseconds settle) {
    for (const FileHolder& holder : holders) {
        KillProcess(holder.pid);
    }
    std::this_thread::sleep_for(settle);
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
        ::chmod(path.c_str(), (info.st_mode & 07777) | S_IWUSR);
    }
    return ::unlink(path.c_str()) == 0;
}

}  // namespace veltaro
