#pragma once

#include <filesystem>
#include <string>

namespace veltaro {

class CTessvarXmlParse;

// Loads the holiday file of `dataFolder` into `root`. A missing file gives the empty default tree,
// so no holidays; a file that is there but can't be read as XML gives the problem, and `root`
// must then not be used. The file is only read, never created or repaired.
std::string LoadHolidayFile(const std::filesystem::path& dataFolder, CTessvarXmlParse& root);

}  // namespace veltaro
