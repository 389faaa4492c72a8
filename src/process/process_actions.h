#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "process/process_source.h"

namespace veltaro {

// A row of the process list, as the actions read it.
struct ListedProcess {
    int pid = 0;
    std::string name;
};

// A listed process that must end before a file can go: it maps the file, or (`openOnly`) only
// has it open.
struct FileHolder {
    int pid = 0;
    std::string name;
    bool openOnly = false;
    bool operator==(const FileHolder&) const = default;
};

// Ends a process at once (SIGKILL); false when it can't be (another user's, already gone).
bool KillProcess(int pid);

// The listed processes to end before `path` is deleted, in process-list order: for a file chosen
// in the process list, its own process (`chosenPid`); for a module, every listed process that maps
// it. Then, since a file is held by open descriptors as much as by mappings, the other listed
// processes that have it open, marked as such. Paths compare exactly: on Linux A.so and a.so are
// two files.
std::vector<FileHolder> HoldersToEnd(const std::string& path, std::optional<int> chosenPid,
                                     const std::vector<ListedProcess>& listed,
                                     const ProcessSource& source);

// The question before the deletion: the heading, one holder per line, the closing warning.
std::string DeleteQuestion(const std::vector<FileHolder>& holders, int language);

// Ends every holder (failures ignored), waits `settle` so they let the file go, makes the file
// writable for its owner and deletes it, once. True when it is gone.
bool DeleteFileAfterEnding(const std::string& path, const std::vector<FileHolder>& holders,
                           std::chrono::milliseconds settle = std::chrono::seconds(1));

}  // namespace veltaro
