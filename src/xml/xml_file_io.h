#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace veltaro {

// The bytes of the regular file at `path`. Empty when it is missing, unreadable, not a regular
// file (a folder, a pipe or a device, which could block or never end), or larger than `maxBytes`.
std::optional<std::string> ReadRegularFile(const std::string& path, std::size_t maxBytes);

// Replaces the file at `path` with `bytes` so that a crash leaves either the old file or the new
// one, never a mix: a temporary file in the same folder, fsync, rename, fsync of the folder.
// A replaced file keeps its permission bits; a new one gets 0644. On failure nothing is left
// behind.
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace veltaro
