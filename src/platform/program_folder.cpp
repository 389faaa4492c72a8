#include "platform/program_folder.h"

#include <fcntl.h>
#include <unistd.h>

#include <vector>

#include "platform/xdg_folders.h"

namespace veltaro {

namespace {

bool MayCreateFilesIn(const std::filesystem::path& folder) {
    return ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

// Whether EnsurePrivateFolder(folder) would succeed: the folder is there, or the nearest part of
// its path that is there is a folder the user may create in.
bool IsOrCouldBeFolder(const std::filesystem::path& folder) {
    std::error_code error;
    for (std::filesystem::path path = folder; !path.empty(); path = path.parent_path()) {
        const std::filesystem::file_status status = std::filesystem::status(path, error);
        if (status.type() != std::filesystem::file_type::not_found) {
            return std::filesystem::is_directory(status) &&
                   (path == folder || MayCreateFilesIn(path));
        }
        if (path == path.parent_path()) {
            break;
        }
    }
    return false;
}

// `programDirectory` when the user may create files in it, else `dataHome`/veltaro/ when
// `usable` takes that folder, else `programDirectory` again.
std::string ChosenDataDirectory(const std::string& programDirectory,
                                const std::filesystem::path& dataHome,
                                bool (*usable)(const std::filesystem::path&)) {
    std::error_code ignored;
    const bool installed =
        std::filesystem::is_directory(ShippedDataFolder(programDirectory), ignored);
    if (!installed && MayCreateFilesIn(programDirectory)) {
        return programDirectory;
    }
    const auto own = dataHome / "veltaro";
    if (dataHome.empty() || !usable(own)) {
        return programDirectory;
    }
    return own.string() + "/";
}

}  // namespace

std::filesystem::path ShippedDataFolder(const std::filesystem::path& programDirectory) {
    return programDirectory / ".." / "share" / "veltaro";
}

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
    return ChosenDataDirectory(programDirectory, dataHome, EnsurePrivateFolder);
}

std::string DataDirectoryForReading(const std::string& programDirectory,
                                    const std::filesystem::path& dataHome) {
    return ChosenDataDirectory(programDirectory, dataHome, IsOrCouldBeFolder);
}

}  // namespace veltaro
