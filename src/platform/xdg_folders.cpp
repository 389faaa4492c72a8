#include "platform/xdg_folders.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace veltaro {

namespace {

std::filesystem::path AbsoluteOrEmpty(const std::string& value) {
    std::filesystem::path path(value);
    return path.is_absolute() ? path : std::filesystem::path{};
}

std::filesystem::path XdgFolder(const EnvironmentLookup& environment, std::string_view variable,
                                const std::filesystem::path& belowHome) {
    if (auto own = AbsoluteOrEmpty(environment(variable)); !own.empty()) {
        return own;
    }
    const auto home = AbsoluteOrEmpty(environment("HOME"));
    return home.empty() ? home : home / belowHome;
}

}  // namespace

std::string ProcessEnvironment(std::string_view name) {
    const char* value = std::getenv(std::string(name).c_str());
    return value == nullptr ? std::string{} : std::string(value);
}

std::filesystem::path ConfigHome(const EnvironmentLookup& environment) {
    return XdgFolder(environment, "XDG_CONFIG_HOME", ".config");
}

std::filesystem::path DataHome(const EnvironmentLookup& environment) {
    return XdgFolder(environment, "XDG_DATA_HOME", std::filesystem::path(".local") / "share");
}

std::filesystem::path RuntimeDir(const EnvironmentLookup& environment) {
    if (auto own = AbsoluteOrEmpty(environment("XDG_RUNTIME_DIR")); !own.empty()) {
        return own;
    }
    return PrivateRuntimeFolder("/tmp", ::getuid());
}

std::filesystem::path PrivateRuntimeFolder(const std::filesystem::path& base, uid_t uid) {
    const auto folder = base / ("veltaro-" + std::to_string(uid));
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        return {};
    }
    struct stat info {};
    if (::lstat(folder.c_str(), &info) != 0) {
        return {};
    }
    const bool isPrivate = S_ISDIR(info.st_mode) && info.st_uid == uid && (info.st_mode & 077) == 0;
    return isPrivate ? folder : std::filesystem::path{};
}

bool EnsurePrivateFolder(const std::filesystem::path& folder) {
    if (folder.empty()) {
        return false;
    }
    std::error_code error;
    if (std::filesystem::is_directory(folder, error)) {
        return true;
    }
    const auto parent = folder.parent_path();
    if (!parent.empty() && parent != folder && !EnsurePrivateFolder(parent)) {
        return false;
    }
    if (::mkdir(folder.c_str(), 0700) == 0) {
        return true;
    }
    return errno == EEXIST && std::filesystem::is_directory(folder, error);
}

}  // namespace veltaro
