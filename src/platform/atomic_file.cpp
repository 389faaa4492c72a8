#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_descriptor.h"

namespace veltaro {
namespace {

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

mode_t ModeForReplacement(const std::filesystem::path& file) {
    struct stat existing {};
    if (::stat(file.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
        return existing.st_mode & 07777;
    }
    return 0644;
}

// Makes the rename itself durable; best effort, since the new file is complete either way.
void SyncFolder(const std::filesystem::path& folder) {
    const std::string name = folder.empty() ? "." : folder.string();
    const FileDescriptor fd(::open(name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.IsOpen()) {
        ::fsync(fd.Get());
    }
}

}  // namespace

bool ReplaceFileAtomically(const std::filesystem::path& file, std::string_view content,
                           std::optional<mode_t> mode) {
    // Without a name the temporary file would land in some other folder.
    if (!file.has_filename()) {
        return false;
    }
    std::string temporary = file.string() + ".tmp-XXXXXX";
    FileDescriptor fd(::mkostemp(temporary.data(), O_CLOEXEC));
    if (!fd.IsOpen()) {
        return false;
    }
    const bool written = ::fchmod(fd.Get(), mode.value_or(ModeForReplacement(file))) == 0 &&
                         WriteAll(fd.Get(), content) && ::fsync(fd.Get()) == 0;
    if (!fd.Close() || !written || ::rename(temporary.c_str(), file.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    SyncFolder(file.parent_path());
    return true;
}

std::optional<std::string> ReadRegularFile(const std::filesystem::path& file,
                                           std::size_t maxBytes) {
    // O_NONBLOCK: opening a FIFO must not wait for a writer; it is then refused as not regular.
    const FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    struct stat info {};
    if (!fd.IsOpen() || ::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        static_cast<std::size_t>(info.st_size) > maxBytes) {
        return std::nullopt;
    }
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    char chunk[64 * 1024];
    // The size is checked again while reading: the file may grow, and /proc files report 0.
    for (;;) {
        const ssize_t count = ::read(fd.Get(), chunk, sizeof chunk);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            return std::nullopt;
        }
        if (count == 0) {
            return bytes;
        }
        bytes.append(chunk, static_cast<std::size_t>(count));
        if (bytes.size() > maxBytes) {
            return std::nullopt;
        }
    }
}

}  // namespace veltaro
