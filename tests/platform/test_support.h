#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "platform/xdg_folders.h"

namespace veltaro::testing {

// A fresh folder of its own for one test, removed with everything in it afterwards.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = std::filesystem::temp_directory_path() / "veltaro-test-XXXXXX";
        if (::mkdtemp(pattern.data()) != nullptr) {
            path_ = pattern;
        }
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline std::string ReadText(const std::filesystem::path& file) {
    std::ifstream stream(file, std::ios::binary);
    std::ostringstream text;
    text << stream.rdbuf();
    return text.str();
}

inline void WriteText(const std::filesystem::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

inline std::filesystem::perms PermissionsOf(const std::filesystem::path& path) {
    return std::filesystem::symlink_status(path).permissions();
}

// An environment holding exactly `variables`.
inline EnvironmentLookup EnvironmentOf(std::map<std::string, std::string> variables) {
    return [variables = std::move(variables)](std::string_view name) {
        const auto found = variables.find(std::string(name));
        return found == variables.end() ? std::string{} : found->second;
    };
}

}  // namespace veltaro::testing
