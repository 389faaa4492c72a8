#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace veltaro {

// The logon entry of the current user: `configHome`/autostart/veltaro.desktop.
std::filesystem::path AutostartEntryPath(const std::filesystem::path& configHome);

// `programPath` as the Exec key's value: one quoted argument, then escaped as a string value.
std::string DesktopExecValue(std::string_view programPath);

// The whole desktop entry that starts `programPath` at logon.
std::string AutostartEntryText(std::string_view programPath);

// Writes the entry (its folder created when missing) so that the session starts `programPath`
// at the user's logon. True when the entry is in place.
bool WriteAutostartEntry(const std::filesystem::path& entryPath, std::string_view programPath);

}  // namespace veltaro
