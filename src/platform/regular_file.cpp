#include "platform/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace veltaro {
namespace {

int OpenForReading(const std::filesystem::path& file) {
    int fd;
    do {
        fd = ::open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

std::optional<FileFailure> NotRegularFailure(const struct stat& info) {
    if (S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    if (S_ISLNK(info.st_mode)) {
        return FileFailure{FileFault::kSymbolicLink, 0};
    }
    return FileFailure{FileFault::kNotRegularFile, S_ISDIR(info.st_mode) ? EISDIR : 0};
}

}  // namespace

OpenedRegularFile OpenRegularFile(const std::filesystem::path& file) {
    OpenedRegularFile opened{FileDescriptor(OpenForReading(file)), 0, std::nullopt};
    struct stat info {};
    if (!opened.fd.IsOpen()) {
        opened.failure = SystemFailure(errno);
    } else if (::fstat(opened.fd.Get(), &info) != 0) {
        opened.failure = SystemFailure(errno);
    } else {
        opened.failure = NotRegularFailure(info);
        opened.size = static_cast<std::uint64_t>(info.st_size);
    }
    if (opened.failure) {
        return {FileDescriptor(-1), 0, opened.failure};
    }
    return opened;
}

RegularFileContent ReadRegularFile(const std::filesystem::path& file, std::size_t maxBytes) {
    const OpenedRegularFile opened = OpenRegularFile(file);
    if (opened.failure) {
        return {{}, opened.failure};
    }
    constexpr FileFailure kOverCap{FileFault::kOverSizeCap, 0};
    if (opened.size > maxBytes) {
        return {{}, kOverCap};
    }
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(opened.size));
    char chunk[64 * 1024];
    // The size is checked again while reading: the file may grow after the fstat.
    for (;;) {
        const ssize_t count = ::read(opened.fd.Get(), chunk, sizeof chunk);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            return {{}, SystemFailure(errno)};
        }
        if (count == 0) {
            return {std::move(bytes), std::nullopt};
        }
        bytes.append(chunk, static_cast<std::size_t>(count));
        if (bytes.size() > maxBytes) {
            return {{}, kOverCap};
        }
    }
}

FileAtPath LookAtFile(const std::filesystem::path& file) {
    struct stat info {};
    if (::lstat(file.c_str(), &info) != 0) {
        return {SystemFailure(errno)};
    }
    return {NotRegularFailure(info), static_cast<mode_t>(info.st_mode & 07777)};
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written == 0) {
            errno = ENOSPC;
        }
        if (written <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace veltaro
