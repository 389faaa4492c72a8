#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

#include "xml/data_document.h"
#include "xml/tessvar_xml_parse.h"

namespace veltaro {

inline constexpr std::string_view kRemindFileName = "RemindInfo.xml";

// The plan tree of a new or unreadable file: empty lists of both kinds.
inline constexpr std::string_view kDefaultRemindText =
    "<Quorvane><RemindList><DateType></DateType><WeeklyType></WeeklyType></RemindList>"
    "</Quorvane>";

// The plan file in the program's data folder.
std::filesystem::path RemindFilePath(const std::filesystem::path& dataFolder);

// Loads the plan file of `dataFolder` into `root` by the rule of every data file (see
// LoadDataDocument): when it can't be used, `root` holds the default tree instead.
DataDocumentLoadResult LoadRemindFile(CTessvarXmlParse& root,
                                      const std::filesystem::path& dataFolder, DataDocumentUse use,
                                      std::int64_t nowSeconds);

// Writes the whole tree to the plan file of `dataFolder`, replacing it atomically.
bool SaveRemindFile(const CTessvarXmlParse& root, const std::filesystem::path& dataFolder);

}  // namespace veltaro
