#include "recorder/record_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <bit>
#include <cerrno>
#include <cstring>

#include "platform/atomic_file.h"
#include "platform/file_descriptor.h"
#include "platform/keep_aside.h"
#include "platform/problem_report.h"
#include "platform/regular_file.h"

namespace veltaro {
namespace {

static_assert(std::endian::native == std::endian::little,
              "records are read straight into memory: the host must be little-endian");

constexpr mode_t kDataFileMode = 0600;

// Opens a regular data file for writing: never through a symbolic link, without blocking on a
// FIFO, and new files private to the user whatever the umask.
OpenedRegularFile OpenForWriting(const std::filesystem::path& file, int flags) {
    int fd;
    do {
        fd = ::open(file.c_str(), flags | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY,
                    kDataFileMode);
    } while (fd < 0 && errno == EINTR);
    OpenedRegularFile opened{FileDescriptor(fd), 0, std::nullopt};
    if (!opened.fd.IsOpen()) {
        opened.failure =
            errno == ELOOP ? FileFailure{FileFault::kSymbolicLink, ELOOP} : SystemFailure(errno);
        return opened;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        opened.failure = FileFailure{FileFault::kNotRegularFile, 0};
        opened.fd.Close();
        return opened;
    }
    opened.size = static_cast<std::uint64_t>(info.st_size);
    return opened;
}

// A symbolic link where a data file belongs is worth one line: someone may be up to no good.
void ReportIfLink(const std::filesystem::path& file, const std::optional<FileFailure>& failure) {
    if (failure && failure->fault == FileFault::kSymbolicLink) {
        ReportProblemOnce("link:" + file.string(), file.string() + ": " + failure->Reason());
    }
}

// Reads up to `size` bytes from `offset`; returns the count read, or -1 on an error.
ssize_t ReadAt(int fd, void* data, std::size_t size, off_t offset) {
    auto* bytes = static_cast<std::uint8_t*>(data);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got =
            ::pread(fd, bytes + done, size - done, offset + static_cast<off_t>(done));
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

bool WriteAllAt(int fd, const void* data, std::size_t size, off_t offset) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t put =
            ::pwrite(fd, bytes + done, size - done, offset + static_cast<off_t>(done));
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

std::string ReadError(const std::filesystem::path& log, const std::string& reason) {
    return "cannot read " + log.string() + ": " + reason;
}

// Records straight from the file's bytes: the on-disk form is the in-memory one on a
// little-endian host, so a large log costs one read and no copy.
RunLogRead ReadRecords(const std::filesystem::path& log, std::size_t lastCount) {
    RunLogRead result;
    const OpenedRegularFile file = OpenRegularFile(log);
    if (file.failure) {
        ReportIfLink(log, file.failure);
        if (file.failure->fault != FileFault::kMissing) {
            result.error = ReadError(log, file.failure->Reason());
        }
        return result;
    }
    const auto size = static_cast<std::size_t>(file.size);
    const std::size_t whole = size / kRunRecordSize;
    const std::size_t count = std::min(whole, lastCount);
    result.partialBytes = size % kRunRecordSize;
    result.records.resize(count);
    const auto offset = static_cast<off_t>((whole - count) * kRunRecordSize);
    const ssize_t got =
        ReadAt(file.fd.Get(), result.records.data(), count * kRunRecordSize, offset);
    if (got < 0) {
        result.records.clear();
        result.error = ReadError(log, SystemFailure(errno).Reason());
        return result;
    }
    // The file may have shrunk since its size was taken: keep what was read whole.
    result.records.resize(static_cast<std::size_t>(got) / kRunRecordSize);
    return result;
}

// Copies the partial bytes after `boundary` aside before they are cut: nothing the user had is
// destroyed without a trace.
bool KeepPartialBytesAside(int fd, const std::filesystem::path& log, off_t boundary, off_t size,
                           std::int64_t nowSeconds) {
    char partial[kRunRecordSize];
    const auto length = static_cast<std::size_t>(size - boundary);
    return ReadAt(fd, partial, length, boundary) == static_cast<ssize_t>(length) &&
           !KeepBytesAside(log, "partial", {partial, length}, nowSeconds).failure;
}

}  // namespace

std::optional<RunRecord> ReadHeartbeatRecord(const std::filesystem::path& file) {
    const OpenedRegularFile opened = OpenRegularFile(file);
    ReportIfLink(file, opened.failure);
    if (opened.failure || opened.size < kRunRecordSize) {
        return std::nullopt;
    }
    RunRecordBytes bytes{};
    if (ReadAt(opened.fd.Get(), bytes.data(), bytes.size(), 0) !=
        static_cast<ssize_t>(bytes.size())) {
        return std::nullopt;
    }
    const RunRecord record = DeserializeRunRecord(bytes);
    if (!IsPlausibleRunRecord(record)) {
        return std::nullopt;
    }
    return record;
}

bool WriteHeartbeatRecord(const std::filesystem::path& file, const RunRecord& record, bool flush) {
    // Overwritten in place rather than truncated first: the file is never empty in between, and
    // ext4 flushes a truncated-then-rewritten file at close, which would block the thread.
    const OpenedRegularFile opened = OpenForWriting(file, O_WRONLY | O_CREAT);
    const RunRecordBytes bytes = SerializeRunRecord(record);
    const bool written = !opened.failure &&
                         WriteAllAt(opened.fd.Get(), bytes.data(), bytes.size(), 0) &&
                         (opened.size <= kRunRecordSize ||
                          ::ftruncate(opened.fd.Get(), static_cast<off_t>(kRunRecordSize)) == 0) &&
                         (!flush || ::fsync(opened.fd.Get()) == 0);
    const std::string cause = "write:" + file.string();
    if (written) {
        ForgetProblem(cause);
    } else {
        ReportProblemOnce(
            cause, "cannot write " + file.string() + ": " +
                       (opened.failure ? opened.failure->Reason() : SystemFailure(errno).Reason()));
    }
    return written;
}

RunLogRead ReadRunLog(const std::filesystem::path& log) {
    return ReadRecords(log, SIZE_MAX);
}

RunLogRead ReadRunLogTail(const std::filesystem::path& log, std::size_t count) {
    return ReadRecords(log, count);
}

AppendResult AppendRunRecords(const std::filesystem::path& log, std::span<const RunRecord> runs,
                              std::int64_t nowSeconds) {
    const OpenedRegularFile file = OpenForWriting(log, O_RDWR | O_CREAT);
    if (file.failure) {
        ReportIfLink(log, file.failure);
        return {false, file.failure->Reason()};
    }
    const int fd = file.fd.Get();
    const auto size = static_cast<off_t>(file.size);
    const off_t boundary = size - size % static_cast<off_t>(kRunRecordSize);
    if (boundary != size) {
        if (!KeepPartialBytesAside(fd, log, boundary, size, nowSeconds)) {
            return {false, "cannot keep its partial last record aside"};
        }
        if (::ftruncate(fd, boundary) != 0) {
            return {false, SystemFailure(errno).Reason()};
        }
    }
    std::vector<RunRecordBytes> bytes;
    bytes.reserve(runs.size());
    for (const RunRecord& run : runs) {
        bytes.push_back(SerializeRunRecord(run));
    }
    if (!WriteAllAt(fd, bytes.data(), bytes.size() * kRunRecordSize, boundary) ||
        ::fsync(fd) != 0) {
        const std::string reason = SystemFailure(errno).Reason();
        // A half-written record must not stay behind as the log's last bytes.
        (void)::ftruncate(fd, boundary);
        return {false, reason};
    }
    return {true, {}};
}

std::vector<RunRecord> ReadPendingRuns(const std::filesystem::path& file) {
    std::vector<RunRecord> runs;
    for (const RunRecord& run : ReadRunLog(file).records) {
        if (IsPlausibleRunRecord(run)) {
            runs.push_back(run);
        }
    }
    return runs;
}

bool WritePendingRuns(const std::filesystem::path& file, std::span<const RunRecord> runs) {
    const FileAtPath present = LookAtFile(file);
    if (present.failure && present.failure->fault != FileFault::kMissing) {
        ReportIfLink(file, present.failure);
        return false;
    }
    if (runs.empty()) {
        return ::unlink(file.c_str()) == 0 || errno == ENOENT;
    }
    std::string content;
    for (const RunRecord& run : runs) {
        const RunRecordBytes bytes = SerializeRunRecord(run);
        content.append(bytes.begin(), bytes.end());
    }
    return static_cast<bool>(ReplaceFileAtomically(file, content, kDataFileMode));
}

}  // namespace veltaro
