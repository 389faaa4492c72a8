#include "cli/data_file_load.h"

#include "calendar/holidays.h"
#include "remind/remind_file.h"
#include "xml/data_document.h"

namespace veltaro {
namespace {

// `kind` names what the file should have been: "a holiday file".
std::string ProblemOf(const std::filesystem::path& file, const DataDocumentLoadResult& result,
                      std::string_view kind) {
    switch (result.outcome) {
        case DataDocumentLoad::kUnreadable:
            return "cannot read " + file.string() + ": " + result.failure->Reason();
        case DataDocumentLoad::kDamaged:
            return file.string() + " cannot be read as " + std::string(kind) +
                   " (not well-formed XML?)";
        default:
            return {};
    }
}

}  // namespace

std::string LoadHolidayFile(const CalendarContext& context, const std::filesystem::path& dataFolder,
                            CTessvarXmlParse& root) {
    const std::filesystem::path file = dataFolder / kHolidayFileName;
    const DataDocumentContent fresh = {kDefaultHolidayFileText,
                                       context.shippedFolder / kHolidayFileName};
    return ProblemOf(file, LoadDataDocument(root, file, fresh, DataDocumentUse::kReadOnly, 0),
                     "a holiday file");
}

std::string LoadRemindPlanFile(const std::filesystem::path& dataFolder, CTessvarXmlParse& root) {
    return ProblemOf(RemindFilePath(dataFolder),
                     LoadRemindFile(root, dataFolder, DataDocumentUse::kReadOnly, 0),
                     "a remind plan file");
}

}  // namespace veltaro
