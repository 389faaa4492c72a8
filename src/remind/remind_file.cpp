#include "remind/remind_file.h"

namespace veltaro {

std::filesystem::path RemindFilePath(const std::filesystem::path& dataFolder) {
    return dataFolder / kRemindFileName;
}

DataDocumentLoadResult LoadRemindFile(CTessvarXmlParse& root,
                                      const std::filesystem::path& dataFolder, DataDocumentUse use,
                                      std::int64_t nowSeconds) {
    return LoadDataDocument(root, RemindFilePath(dataFolder), {kDefaultRemindText, {}}, use,
                            nowSeconds);
}

bool SaveRemindFile(const CTessvarXmlParse& root, const std::filesystem::path& dataFolder) {
    return root.Save(RemindFilePath(dataFolder).string());
}

}  // namespace veltaro
