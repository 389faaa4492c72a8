#include "xml/xml_file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>

namespace veltaro {
namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    int Get() const { return fd_; }
    // Closes now and reports the result: for a written file, close can be the first to see an
    // I/O error.
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

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

mode_t ModeForReplacement(const std::string& path) {
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
        return existing.st_mode & 07777;
    }
    return 0644;
}

std::string FolderOf(const std::string& path) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    return folder.empty() ? "." : folder.string();
}

// Makes the rename itself durable; best effort, since the new file is complete either way.
void SyncFolder(const std::string& folder) {
    FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.IsOpen()) {
        ::fsync(fd.Get());
    }
}

bool WriteTemporary(FileDescriptor& fd, const std::string& path, std::string_view bytes) {
    const bool written = ::fchmod(fd.Get(), ModeForReplacement(path)) == 0 &&
                         WriteAll(fd.Get(), bytes) && ::fsync(fd.Get()) == 0;
    return fd.Close() && written;
}

}  // namespace

std::optional<std::string> ReadRegularFile(const std::string& path, std::size_t maxBytes) {
    // O_NONBLOCK: opening a FIFO must not wait for a writer; it is then refused as not regular.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
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

bool ReplaceFileAtomically(const std::string& path, std::string_view bytes) {
    // An empty path would put the temporary file into the working folder.
    if (path.empty()) {
        return false;
    }
    std::string temporary = path + ".tmp-XXXXXX";
    FileDescriptor fd(::mkostemp(temporary.data(), O_CLOEXEC));
    if (!fd.IsOpen()) {
        return false;
    }
    if (!WriteTemporary(fd, path, bytes) || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    SyncFolder(FolderOf(path));
    return true;
}

}  // namespace veltaro
