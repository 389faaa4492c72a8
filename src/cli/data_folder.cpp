#include "cli/data_folder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>

namespace veltaro {
namespace {

std::filesystem::path HomeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        return home;
    }
    const passwd* user = ::getpwuid(::getuid());
    return user != nullptr ? user->pw_dir : "/";
}

std::filesystem::path UserDataFolder() {
    // The XDG rules ignore a relative value.
    if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && *data == '/') {
        return data;
    }
    return HomeFolder() / ".local" / "share";
}

}  // namespace

std::filesystem::path DefaultDataFolder() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error && ::access(program.parent_path().c_str(), W_OK) == 0) {
        return program.parent_path();
    }
    return UserDataFolder() / "veltaro";
}

}  // namespace veltaro
