#pragma once

#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace veltaro {

// Replaces `file` by `content` so that a crash leaves either the old file or the new one, never
// a part: a temporary file of a unique name beside it, fsync, rename, fsync of the folder. The new
// file gets `mode`; without one it keeps the replaced file's permission bits (0644 when new). On
// failure nothing is left behind.
bool ReplaceFileAtomically(const std::filesystem::path& file, std::string_view content,
                           std::optional<mode_t> mode = std::nullopt);

// The bytes of the regular file `file`; empty when it is missing, unreadable, not a regular file
// (a folder, a pipe or a device, which could block or never end), or larger than `maxBytes`.
std::optional<std::string> ReadRegularFile(const std::filesystem::path& file, std::size_t maxBytes);

}  // namespace veltaro
