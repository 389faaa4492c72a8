#include "cli/holiday_file.h"

#include <system_error>

#include "calendar/holidays.h"
#include "xml/tessvar_xml_parse.h"

namespace veltaro {

std::string LoadHolidayFile(const std::filesystem::path& dataFolder, CTessvarXmlParse& root) {
    const std::filesystem::path file = dataFolder / kHolidayFileName;
    std::error_code error;
    // symlink_status, so that a dangling link counts as a damaged file rather than a missing one.
    const std::filesystem::file_status status = std::filesystem::symlink_status(file, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        return root.LoadXml(kDefaultHolidayFileText) ? std::string()
                                                     : "cannot build the empty holiday list";
    }
    if (error || !root.LoadFile(file.string())) {
        return file.string() + " cannot be read as a holiday file (not well-formed XML?)";
    }
    return {};
}

}  // namespace veltaro
