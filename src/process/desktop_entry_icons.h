#pragma once

#include <filesystem>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/xdg_folders.h"

namespace veltaro {

// The XDG data folders, most important first: $XDG_DATA_HOME, then each of $XDG_DATA_DIRS
// (/usr/local/share and /usr/share when unset).
std::vector<std::filesystem::path> XdgDataFolders(
    const EnvironmentLookup& environment = ProcessEnvironment);

// The icon names of the installed applications by the program they start, read from the desktop
// entries (applications/*.desktop) of the data folders. A process is shown with the icon of the
// entry whose Exec or TryExec program is its executable.
class DesktopEntryIcons {
public:
    // An entry of an earlier folder hides an entry with the same file id in a later one.
    // `searchPath` finds the programs that entries name without a folder.
    DesktopEntryIcons(const std::vector<std::filesystem::path>& dataFolders,
                      const std::string& searchPath);

    // The entry's Icon value (a theme name or an absolute file); empty when no entry starts it.
    std::string IconNameFor(const std::string& executablePath) const;

private:
    void ReadEntry(const std::filesystem::path& file, const std::string& searchPath);
    void AddProgram(const std::string& program, const std::string& icon,
                    const std::string& searchPath);

    // By the program's resolved path, and by its bare name for programs not found on the path.
    std::unordered_map<std::string, std::string> iconByPath_;
    std::unordered_map<std::string, std::string> iconByName_;
};

// The program an Exec line starts: its first word, quotes removed, past an `env` and its
// variable settings.
std::string ProgramOfExecLine(const std::string& exec);

}  // namespace veltaro
