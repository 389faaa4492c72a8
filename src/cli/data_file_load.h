#pragma once

#include <filesystem>
#include <string>

#include "cli/calendar_commands.h"
#include "xml/tessvar_xml_parse.h"

namespace veltaro {

// The data files as the subcommands read them: by the resident program's rule (see
// LoadDataDocument), but never created, mended or moved. Each gives "" when `root` holds what
// the program would show, else the problem, and `root` must not be used.

// A missing holiday file reads as the shipped one, else as the empty default list, just as the
// resident program's first file would be.
std::string LoadHolidayFile(const CalendarContext& context, const std::filesystem::path& dataFolder,
                            CTessvarXmlParse& root);

// A missing plan file reads as the empty default lists.
std::string LoadRemindPlanFile(const std::filesystem::path& dataFolder, CTessvarXmlParse& root);

}  // namespace veltaro
