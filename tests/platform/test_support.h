#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "platform/xdg_folders.h"
#include "temp_folder.h"

namespace veltaro::testing {

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
