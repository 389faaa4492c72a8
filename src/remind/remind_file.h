#pragma once

#include <filesystem>
#include <string_view>

#include "xml/tessvar_xml_parse.h"

namespace veltaro {

inline constexpr std::string_view kRemindFileName = "RemindInfo.xml";

// The plan tree of a new or unreadable file: empty lists of both kinds.
inline constexpr std::string_view kDefaultRemindText =
    "<Quorvane><RemindList><DateType></DateType><WeeklyType></WeeklyType></RemindList>"
    "</Quorvane>";

// The plan file in the program's data folder.
std::filesystem::path RemindFilePath(const std::filesystem::path& dataFolder);

enum class RemindFileLoad {
    Loaded,
    Missing,
    Damaged,  // there but unreadable or not a well-formed document
};

// Loads the plan file of `dataFolder` into `root`. When it is missing or damaged, `root` holds
// the default tree instead; whether to write that over the file is the caller's decision.
RemindFileLoad LoadRemindFile(CTessvarXmlParse& root, const std::filesystem::path& dataFolder);

// Writes the whole tree to the plan file of `dataFolder`, replacing it atomically.
bool SaveRemindFile(const CTessvarXmlParse& root, const std::filesystem::path& dataFolder);

}  // namespace veltaro
