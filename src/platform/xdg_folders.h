#pragma once

#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace veltaro {

// Looks up one environment variable; an unset variable reads as "". Tests pass their own.
using EnvironmentLookup = std::function<std::string(std::string_view name)>;

// The environment of this process.
std::string ProcessEnvironment(std::string_view name);

// The per-user folders of the XDG base directory rules. A relative value of an XDG variable is
// invalid and ignored. An empty path means there is no usable folder (no absolute $HOME either);
// files under it then can't be written, and reads find nothing.
std::filesystem::path ConfigHome(const EnvironmentLookup& environment = ProcessEnvironment);
std::filesystem::path DataHome(const EnvironmentLookup& environment = ProcessEnvironment);

// $XDG_RUNTIME_DIR, else the private folder PrivateRuntimeFolder("/tmp", own uid) gives.
std::filesystem::path RuntimeDir(const EnvironmentLookup& environment = ProcessEnvironment);

// `base`/veltaro-<uid>, created 0700 when missing. Because `base` is shared by all users, the
// folder is taken only when it is a real folder (not a link), owned by `uid` and closed to group
// and others; otherwise someone else could read or plant our files, and the result is empty.
std::filesystem::path PrivateRuntimeFolder(const std::filesystem::path& base, uid_t uid);

// Creates `folder` and its missing parents with mode 0700, as the XDG rules ask for folders a
// program creates in the user's space; existing folders are left as they are. True when `folder`
// is a folder afterwards.
bool EnsurePrivateFolder(const std::filesystem::path& folder);

}  // namespace veltaro
