#include "process/desktop_entry_icons.h"

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>

namespace veltaro {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, separator);) {
        if (!part.empty()) {
            parts.push_back(part);
        }
    }
    return parts;
}

// The words of an Exec line by the desktop entry rules: blanks separate, double quotes group, a
// backslash in quotes keeps the next character.
std::vector<std::string> ExecWords(const std::string& exec) {
    std::vector<std::string> words;
    std::string word;
    bool quoted = false;
    bool inWord = false;
    for (std::size_t at = 0; at < exec.size(); ++at) {
        const char c = exec[at];
        if (quoted && c == '\\' && at + 1 < exec.size()) {
            word += exec[++at];
        } else if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if (!quoted && (c == ' ' || c == '\t')) {
            if (inWord) {
                words.push_back(std::move(word));
                word.clear();
                inWord = false;
            }
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) {
        words.push_back(std::move(word));
    }
    return words;
}

std::string Resolved(const fs::path& program) {
    std::error_code error;
    const fs::path canonical = fs::canonical(program, error);
    return error ? std::string() : canonical.string();
}

std::string FoundOnPath(const std::string& name, const std::string& searchPath) {
    for (const std::string& folder : Split(searchPath, ':')) {
        if (std::string found = Resolved(fs::path(folder) / name); !found.empty()) {
            return found;
        }
    }
    return {};
}

// Key=value lines of the [Desktop Entry] group.
std::unordered_map<std::string, std::string> MainGroup(const fs::path& file) {
    std::unordered_map<std::string, std::string> values;
    std::ifstream in(file);
    bool inMainGroup = false;
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with('[')) {
            inMainGroup = line == "[Desktop Entry]";
        } else if (const std::size_t equals = line.find('=');
                   inMainGroup && equals != 0 && equals != std::string::npos) {
            std::string key = line.substr(0, equals);
            while (!key.empty() && key.back() == ' ') {
                key.pop_back();
            }
            const std::size_t value = line.find_first_not_of(' ', equals + 1);
            values.emplace(std::move(key),
                           value == std::string::npos ? std::string() : line.substr(value));
        }
    }
    return values;
}

}  // namespace

std::vector<fs::path> XdgDataFolders(const EnvironmentLookup& environment) {
    std::vector<fs::path> folders;
    if (const fs::path home = DataHome(environment); !home.empty()) {
        folders.push_back(home);
    }
    std::string systemFolders = environment("XDG_DATA_DIRS");
    if (systemFolders.empty()) {
        systemFolders = "/usr/local/share:/usr/share";
    }
    for (const std::string& folder : Split(systemFolders, ':')) {
        if (fs::path(folder).is_absolute()) {
            folders.emplace_back(folder);
        }
    }
    return folders;
}

std::string ProgramOfExecLine(const std::string& exec) {
    const std::vector<std::string> words = ExecWords(exec);
    std::size_t at = 0;
    if (at < words.size() && words[at] == "env") {
        ++at;
        while (at < words.size() && words[at].find('=') != std::string::npos) {
            ++at;
        }
    }
    return at < words.size() ? words[at] : std::string();
}

DesktopEntryIcons::DesktopEntryIcons(const std::vector<fs::path>& dataFolders,
                                     const std::string& searchPath) {
    std::set<std::string> seenIds;
    for (const fs::path& folder : dataFolders) {
        const fs::path applications = folder / "applications";
        std::error_code error;
        for (fs::recursive_directory_iterator entry(applications, error), end;
             !error && entry != end; entry.increment(error)) {
            if (entry->path().extension() != ".desktop") {
                continue;
            }
            // The file id: the path below applications/ with '-' for '/'.
            std::string id = entry->path().lexically_relative(applications).string();
            std::replace(id.begin(), id.end(), '/', '-');
            if (seenIds.insert(id).second) {
                ReadEntry(entry->path(), searchPath);
            }
        }
    }
}

void DesktopEntryIcons::ReadEntry(const fs::path& file, const std::string& searchPath) {
    const std::unordered_map<std::string, std::string> values = MainGroup(file);
    const auto type = values.find("Type");
    const auto icon = values.find("Icon");
    if (type == values.end() || type->second != "Application" || icon == values.end() ||
        icon->second.empty()) {
        return;
    }
    for (const char* key : {"TryExec", "Exec"}) {
        if (const auto line = values.find(key); line != values.end()) {
            AddProgram(ProgramOfExecLine(line->second), icon->second, searchPath);
        }
    }
}

void DesktopEntryIcons::AddProgram(const std::string& program, const std::string& icon,
                                   const std::string& searchPath) {
    if (program.empty()) {
        return;
    }
    const std::string resolved =
        program.starts_with('/') ? Resolved(program) : FoundOnPath(program, searchPath);
    if (!resolved.empty()) {
        iconByPath_.emplace(resolved, icon);
    }
    iconByName_.emplace(fs::path(program).filename().string(), icon);
}

std::string DesktopEntryIcons::IconNameFor(const std::string& executablePath) const {
    if (const auto found = iconByPath_.find(executablePath); found != iconByPath_.end()) {
        return found->second;
    }
    const auto found = iconByName_.find(fs::path(executablePath).filename().string());
    return found == iconByName_.end() ? std::string() : found->second;
}

}  // namespace veltaro
