#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/settings_store.h"

namespace veltaro {

// The settings file's text: REGEDIT4 with the one key of the program, a line per value that
// keeps its type and bytes.

using SettingMap = std::map<std::string, SettingValue, std::less<>>;

// A line holds one name: valid UTF-8 without a control character, which would break the lines.
bool IsValidSettingName(std::string_view name);

std::string FormatSettingsText(const SettingMap& values);

// The values of a settings file's text; nothing when any line doesn't parse. A later line of a
// name wins, as an import of the file would have it.
std::optional<SettingMap> ParseSettingsText(std::string_view text);

}  // namespace veltaro
