#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_descriptor.h"
#include "platform/file_failure.h"

namespace veltaro {

// A regular file opened for reading, with its size at the moment it was opened.
struct OpenedRegularFile {
    FileDescriptor fd{-1};
    std::uint64_t size = 0;
    // Set when `fd` is not open.
    std::optional<FileFailure> failure;
};

// Opens `file` for reading the way every data file is read: a symbolic link at the path is not
// followed (it could lead out of the data folder), a FIFO does not block the open, the
// descriptor does not leak into child processes, and only a regular file is accepted.
OpenedRegularFile OpenRegularFile(const std::filesystem::path& file);

struct RegularFileContent {
    std::string bytes;
    // Set when `bytes` are not the file's.
    std::optional<FileFailure> failure;
};

// The whole of the regular file `file`, opened as OpenRegularFile does; a file larger than
// `maxBytes` (also one that grows past it while read) fails as kOverSizeCap.
RegularFileContent ReadRegularFile(const std::filesystem::path& file, std::size_t maxBytes);

// What stands at `file`, looked at without following a symbolic link.
struct FileAtPath {
    // Unset for a regular file; kMissing when nothing is there.
    std::optional<FileFailure> failure;
    // The permission bits of the regular file.
    mode_t permissions = 0;
};
FileAtPath LookAtFile(const std::filesystem::path& file);

// Writes all of `bytes` at the position of `fd`; false with errno set when that failed (ENOSPC
// when the file system took no more).
bool WriteAll(int fd, std::string_view bytes);

}  // namespace veltaro
