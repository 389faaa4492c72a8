#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace veltaro {

// What the process manager's own properties window tells about a file.
struct FileFacts {
    std::uint64_t size = 0;
    std::string owner;        // the user name, or the number when the user is unknown
    std::string permissions;  // "-rwxr-xr-x (0755)"
    std::string modified;     // local time, "YYYY/MM/DD hh:mm:ss"
};

// The facts of `path` itself (a link is not followed); empty when it can't be examined.
std::optional<FileFacts> ReadFileFacts(const std::string& path);

// "-rwxr-xr-x (0755)" of a stat mode.
std::string PermissionText(unsigned mode);

}  // namespace veltaro
