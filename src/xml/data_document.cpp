#include "xml/data_document.h"

#include "platform/atomic_file.h"
#include "platform/keep_aside.h"
#include "platform/regular_file.h"
#include "xml/xml_document.h"

namespace veltaro {
namespace {

// Loads the shipped file when it is usable, else the default text; the bytes to save for a new
// file come back.
std::string LoadFreshContent(CTessvarXmlParse& root, const DataDocumentContent& fresh) {
    if (!fresh.shippedFile.empty()) {
        RegularFileContent shipped = ReadRegularFile(fresh.shippedFile, kMaxXmlDocumentBytes);
        if (!shipped.failure && root.LoadFileBytes(shipped.bytes)) {
            return std::move(shipped.bytes);
        }
    }
    root.LoadXml(fresh.defaultText);
    return std::string(fresh.defaultText);
}

DataDocumentLoadResult SaveFresh(const std::filesystem::path& file, std::string_view bytes,
                                 DataDocumentLoad saved, std::filesystem::path keptAside) {
    const FileResult written = ReplaceFileAtomically(file, bytes, 0600);
    if (!written) {
        return {DataDocumentLoad::kNotSaved, written.failure, std::move(keptAside)};
    }
    return {saved, std::nullopt, std::move(keptAside)};
}

DataDocumentLoadResult MendDamaged(const std::filesystem::path& file, std::string_view fresh,
                                   std::int64_t nowSeconds) {
    KeptAside kept = KeepDamagedFileAside(file, nowSeconds);
    if (kept.failure) {
        // Never overwrite what could not be moved away.
        return {DataDocumentLoad::kDamagedLeft, kept.failure, {}};
    }
    return SaveFresh(file, fresh, DataDocumentLoad::kReplacedDamaged, std::move(kept.aside));
}

}  // namespace

DataDocumentLoadResult LoadDataDocument(CTessvarXmlParse& root, const std::filesystem::path& file,
                                        const DataDocumentContent& fresh, DataDocumentUse use,
                                        std::int64_t nowSeconds) {
    const RegularFileContent content = ReadRegularFile(file, kMaxXmlDocumentBytes);
    if (!content.failure && root.LoadFileBytes(content.bytes)) {
        return {DataDocumentLoad::kLoaded, std::nullopt, {}};
    }
    const std::string freshBytes = LoadFreshContent(root, fresh);
    const bool mend = use == DataDocumentUse::kMend;
    if (!content.failure) {
        return mend ? MendDamaged(file, freshBytes, nowSeconds)
                    : DataDocumentLoadResult{DataDocumentLoad::kDamaged, std::nullopt, {}};
    }
    if (content.failure->fault != FileFault::kMissing) {
        return {DataDocumentLoad::kUnreadable, content.failure, {}};
    }
    return mend ? SaveFresh(file, freshBytes, DataDocumentLoad::kCreated, {})
                : DataDocumentLoadResult{DataDocumentLoad::kMissing, std::nullopt, {}};
}

std::string DataDocumentLoadReport(const std::filesystem::path& file,
                                   const DataDocumentLoadResult& result) {
    const std::string name = file.string();
    const std::string reason = result.failure ? result.failure->Reason() : "";
    switch (result.outcome) {
        case DataDocumentLoad::kLoaded:
        case DataDocumentLoad::kMissing:
        case DataDocumentLoad::kCreated:
            return {};
        case DataDocumentLoad::kUnreadable:
            return "cannot read " + name + " (" + reason +
                   "); running on the defaults, the file is left as it is";
        case DataDocumentLoad::kDamaged:
            return name + " is damaged (not a well-formed XML document)";
        case DataDocumentLoad::kReplacedDamaged:
            return name + " is damaged (not a well-formed XML document); kept aside as " +
                   result.keptAside.string() + " and replaced by the defaults";
        case DataDocumentLoad::kDamagedLeft:
            return name + " is damaged and cannot be kept aside (" + reason +
                   "); running on the defaults, the file is left as it is";
        case DataDocumentLoad::kNotSaved:
            if (!result.keptAside.empty()) {
                return name + " is damaged; kept aside as " + result.keptAside.string() +
                       ", but the defaults cannot be saved (" + reason + ")";
            }
            return "cannot save " + name + " (" + reason + "); running on the defaults";
    }
    return {};
}

void ReportDataDocumentLoad(std::ostream& err, const std::filesystem::path& file,
                            const DataDocumentLoadResult& result) {
    if (const std::string report = DataDocumentLoadReport(file, result); !report.empty()) {
        err << "Veltaro: " << report << '\n' << std::flush;
    }
}

}  // namespace veltaro
