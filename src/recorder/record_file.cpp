#include "recorder/record_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/file_descriptor.h"

namespace veltaro {
namespace {

FileDescriptor OpenFile(const std::filesystem::path& file, int flags) {
    int fd;
    do {
        fd = ::open(file.c_str(), flags | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    return FileDescriptor(fd);
}

// Reads up to `size` bytes from `offset`; returns the count read, or -1 on an error.
ssize_t ReadAt(int fd, std::uint8_t* data, std::size_t size, off_t offset) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got =
            ::pread(fd, data + done, size - done, offset + static_cast<off_t>(done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return -1;
        }
        if (got == 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    return static_cast<ssize_t>(done);
}

// Whether the whole record ending at `end` is `bytes`: a start that stopped between its append
// and the rewrite of the heartbeat files left the same run waiting to be merged again.
bool IsLastRecord(int fd, off_t end, const RunRecordBytes& bytes) {
    RunRecordBytes last{};
    return end >= static_cast<off_t>(kRunRecordSize) &&
           ReadAt(fd, last.data(), last.size(), end - static_cast<off_t>(kRunRecordSize)) ==
               static_cast<ssize_t>(last.size()) &&
           last == bytes;
}

bool WriteAllAt(int fd, const std::uint8_t* data, std::size_t size, off_t offset) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t put =
            ::pwrite(fd, data + done, size - done, offset + static_cast<off_t>(done));
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(put);
    }
    return true;
}

std::optional<off_t> RegularFileSize(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    return info.st_size;
}

std::string ReadError(const std::filesystem::path& log, const std::string& reason) {
    return "cannot read " + log.string() + ": " + reason;
}

// Non-blocking, so that a FIFO put where a data file belongs can't hang a reader or a writer;
// only regular files are then read or written.
constexpr int kReadFlags = O_RDONLY | O_NONBLOCK;
constexpr int kCreateFlags = O_CREAT | O_NONBLOCK;

}  // namespace

std::optional<RunRecord> ReadHeartbeatRecord(const std::filesystem::path& file) {
    const FileDescriptor fd = OpenFile(file, kReadFlags);
    if (!fd.IsOpen()) {
        return std::nullopt;
    }
    const std::optional<off_t> size = RegularFileSize(fd.Get());
    if (!size || *size < static_cast<off_t>(kRunRecordSize)) {
        return std::nullopt;
    }
    RunRecordBytes bytes{};
    if (ReadAt(fd.Get(), bytes.data(), bytes.size(), 0) != static_cast<ssize_t>(bytes.size())) {
        return std::nullopt;
    }
    return DeserializeRunRecord(bytes);
}

bool WriteHeartbeatRecord(const std::filesystem::path& file, const RunRecord& record, bool flush) {
    // Overwritten in place rather than truncated first: the file is never empty in between, and
    // ext4 flushes a truncated-then-rewritten file at close, which would block the thread.
    const FileDescriptor fd = OpenFile(file, O_WRONLY | kCreateFlags);
    const std::optional<off_t> size = fd.IsOpen() ? RegularFileSize(fd.Get()) : std::nullopt;
    if (!size) {
        return false;
    }
    const RunRecordBytes bytes = SerializeRunRecord(record);
    if (!WriteAllAt(fd.Get(), bytes.data(), bytes.size(), 0)) {
        return false;
    }
    if (*size > static_cast<off_t>(kRunRecordSize) &&
        ::ftruncate(fd.Get(), static_cast<off_t>(kRunRecordSize)) != 0) {
        return false;
    }
    return !flush || ::fsync(fd.Get()) == 0;
}

RunLogRead ReadRunLog(const std::filesystem::path& log) {
    RunLogRead result;
    const FileDescriptor fd = OpenFile(log, kReadFlags);
    if (!fd.IsOpen()) {
        if (errno != ENOENT) {
            result.error = ReadError(log, std::strerror(errno));
        }
        return result;
    }
    const std::optional<off_t> size = RegularFileSize(fd.Get());
    if (!size) {
        result.error = ReadError(log, "not a regular file");
        return result;
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(*size));
    const ssize_t got = ReadAt(fd.Get(), bytes.data(), bytes.size(), 0);
    if (got < 0) {
        result.error = ReadError(log, std::strerror(errno));
        return result;
    }
    const std::size_t count = static_cast<std::size_t>(got) / kRunRecordSize;
    result.records.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        result.records.push_back(DeserializeRunRecord(std::span<const std::uint8_t, kRunRecordSize>(
            bytes.data() + i * kRunRecordSize, kRunRecordSize)));
    }
    return result;
}

bool AppendRunRecord(const std::filesystem::path& log, const RunRecord& record) {
    const FileDescriptor fd = OpenFile(log, O_RDWR | kCreateFlags);
    const std::optional<off_t> size = fd.IsOpen() ? RegularFileSize(fd.Get()) : std::nullopt;
    if (!size) {
        return false;
    }
    const off_t boundary = *size - *size % static_cast<off_t>(kRunRecordSize);
    if (boundary != *size && ::ftruncate(fd.Get(), boundary) != 0) {
        return false;
    }
    const RunRecordBytes bytes = SerializeRunRecord(record);
    if (IsLastRecord(fd.Get(), boundary, bytes)) {
        return true;
    }
    if (!WriteAllAt(fd.Get(), bytes.data(), bytes.size(), boundary)) {
        // A half-written record must not stay behind as the log's last bytes.
        (void)::ftruncate(fd.Get(), boundary);
        return false;
    }
    // The heartbeat files are rewritten right after the append: the run must be on disk first,
    // and a failed flush means it may not be.
    return ::fsync(fd.Get()) == 0;
}

}  // namespace veltaro
