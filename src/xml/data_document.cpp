#include "xml/data_document.h"

#include "platform/keep_aside.h"

namespace veltaro {

DataDocumentLoad LoadDataDocument(CTessvarXmlParse& root, const std::filesystem::path& file,
                                  std::string_view defaultText, std::int64_t nowSeconds) {
    if (root.LoadFile(file.string())) {
        return DataDocumentLoad::kLoaded;
    }
    std::error_code error;
    const bool existed = std::filesystem::symlink_status(file, error).type() !=
                         std::filesystem::file_type::not_found;
    if (existed && !KeepDamagedFileAside(file, nowSeconds)) {
        // Never overwrite what could not be moved away; run on the default in memory.
        root.LoadXml(defaultText);
        return DataDocumentLoad::kDefaultNotSaved;
    }
    if (!root.LoadXml(defaultText) || !root.Save(file.string())) {
        return DataDocumentLoad::kDefaultNotSaved;
    }
    return existed ? DataDocumentLoad::kReplacedDamaged : DataDocumentLoad::kCreated;
}

}  // namespace veltaro
