#include "remind/remind_file.h"

#include <system_error>

namespace veltaro {

std::filesystem::path RemindFilePath(const std::filesystem::path& dataFolder) {
    return dataFolder / kRemindFileName;
}

RemindFileLoad LoadRemindFile(CTessvarXmlParse& root, const std::filesystem::path& dataFolder) {
    const std::filesystem::path file = RemindFilePath(dataFolder);
    if (root.LoadFile(file.string())) {
        return RemindFileLoad::Loaded;
    }
    root.LoadXml(kDefaultRemindText);
    // A file that can't even be looked at (no permission on the folder) is not known to be
    // missing, so it counts as damaged rather than as having no plans.
    std::error_code error;
    return std::filesystem::symlink_status(file, error).type() ==
                   std::filesystem::file_type::not_found
               ? RemindFileLoad::Missing
               : RemindFileLoad::Damaged;
}

bool SaveRemindFile(const CTessvarXmlParse& root, const std::filesystem::path& dataFolder) {
    return root.Save(RemindFilePath(dataFolder).string());
}

}  // namespace veltaro
