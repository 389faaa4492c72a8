#pragma once

#include <optional>
#include <string>

namespace veltaro {

// Why a data file could not be read, replaced or moved aside.
enum class FileFault {
    kMissing,         // nothing at the path
    kSymbolicLink,    // a link planted at the path is never followed
    kNotRegularFile,  // a folder, a FIFO, a device or a socket
    kOverSizeCap,     // larger than the reader accepts
    kSystemError,     // a system call refused: its errno says why
};

struct FileFailure {
    FileFault fault = FileFault::kSystemError;
    // The errno of the refusing call; 0 when the fault needs none (a FIFO, a file over the cap).
    int systemError = 0;

    // The reason as a user reads it, in lower case to follow "cannot read FILE: ":
    // "permission denied", "is a directory", "not a regular file", "over the size cap", ...
    std::string Reason() const;

    bool operator==(const FileFailure&) const = default;
};

FileFailure SystemFailure(int systemError);

// What became of an operation on a file: true when it worked, else `failure` says why.
struct FileResult {
    std::optional<FileFailure> failure;

    explicit operator bool() const { return !failure; }
};

}  // namespace veltaro
