#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

#include "platform/file_failure.h"

namespace veltaro {

struct KeptAside {
    // Where the kept bytes now are; empty on failure.
    std::filesystem::path aside;
    std::optional<FileFailure> failure;
};

// Moves a damaged `file` out of the way before it is replaced, so that what it held is never
// lost: it becomes `file`.damaged-YYYYMMDD-HHMMSS (local time of `nowSeconds`), with -2, -3, ...
// added when that name is taken; an existing file of that name is never replaced. Only a regular
// file is moved: a symbolic link or a FIFO at the path was never read, so it is not damaged. The
// caller keeps other writers out meanwhile.
KeptAside KeepDamagedFileAside(const std::filesystem::path& file, std::int64_t nowSeconds);

// Writes `bytes` that are about to be cut from `file` into a new private file (0600)
// `file`.`label`-YYYYMMDD-HHMMSS, named by the same rule, so that nothing is destroyed silently.
KeptAside KeepBytesAside(const std::filesystem::path& file, std::string_view label,
                         std::string_view bytes, std::int64_t nowSeconds);

}  // namespace veltaro
