#include "platform/program_folder.h"

#include <fcntl.h>
#include <unistd.h>

#include <vector>

#include "platform/xdg_folders.h"

namespace veltaro {

std::string DirectoryOfProgramPath(std::string_view programPath) {
    for (std::size_t index = programPath.size(); index > 1; --index) {
        if (programPath[index - 1] == '/') {
            return std::string(programPath.substr(0, index));
        }
    }
    return "/";
}

std::string RunningProgramPath() {
    // The link's length isn't known beforehand, and a cut path would name another folder.
    std::vector<char> buffer(256);
    while (true) {
        const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) {
            return {};
        }
        if (static_cast<std::size_t>(length) < buffer.size()) {
            return std::string(buffer.data(), static_cast<std::size_t>(length));
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::string ProgramDirectory() {
    return DirectoryOfProgramPath(RunningProgramPath());
}

std::string DataDirectory(const std::string& programDirectory,
                          const std::filesystem::path& dataHome) {
    if (::faccessat(AT_FDCWD, programDirectory.c_str(), W_OK | X_OK, AT_EACCESS) == 0) {
        return programDirectory;
    }
    const auto own = dataHome / "veltaro";
    if (dataHome.empty() || !EnsurePrivateFolder(own)) {
        return programDirectory;
    }
    return own.string() + "/";
}

}  // namespace veltaro
