#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string_view>

#include "platform/file_failure.h"

namespace veltaro {

// Replaces `file` by `content` so that a crash leaves either the old file or the new one, never
// a part: a temporary file of a unique name beside it, fsync, rename, fsync of the folder. The new
// file gets `mode`; without one it keeps the replaced file's permission bits, and a new file is
// private (0600), whatever the umask. Only a regular file is replaced: a symbolic link, a folder
// or a FIFO at the path is left as it is and the replace fails. On failure nothing is left behind.
FileResult ReplaceFileAtomically(const std::filesystem::path& file, std::string_view content,
                                 std::optional<mode_t> mode = std::nullopt);

}  // namespace veltaro
