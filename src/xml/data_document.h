#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "platform/file_failure.h"
#include "xml/tessvar_xml_parse.h"

namespace veltaro {

// What a data file holds when there is none yet, or when what is there can't be used.
struct DataDocumentContent {
    // The fixed default text of the file.
    std::string_view defaultText;
    // A file the program ships with (say, the festivals of Holiday.xml); when it is readable and
    // well-formed it stands in for the default text. Empty when there is none.
    std::filesystem::path shippedFile;
};

// Who loads: the resident program mends the file, the companion only reads it.
enum class DataDocumentUse {
    kMend,      // a missing file is created and a damaged one kept aside and replaced
    kReadOnly,  // nothing is written
};

enum class DataDocumentLoad {
    kLoaded,           // the file was read
    kMissing,          // no file (read-only use): the fresh content is in memory
    kCreated,          // no file: the fresh content was loaded and saved
    kUnreadable,       // the file can't be read: left as it is, the fresh content in memory only
    kDamaged,          // read but not a document (read-only use): left as it is
    kReplacedDamaged,  // read but not a document: kept aside, the fresh content saved in its place
    kDamagedLeft,      // read but not a document, and it could not be moved aside: left as it
                       // is, the fresh content in memory only
    kNotSaved,         // missing, or damaged and kept aside, but the fresh content could not be
                       // saved: it is in memory only
};

struct DataDocumentLoadResult {
    DataDocumentLoad outcome = DataDocumentLoad::kLoaded;
    // Why the file could not be read (kUnreadable), kept aside (kDamagedLeft) or saved
    // (kNotSaved).
    std::optional<FileFailure> failure;
    // Where a damaged file went (kReplacedDamaged, and kNotSaved after the move).
    std::filesystem::path keptAside;
};

// Loads one of the program's XML data files into `root`, by one rule for every data file and
// every program. A file that is read and parses is loaded. Otherwise `root` holds the fresh
// content (the shipped file, else the default text), and with kMend:
// - a missing file gets the fresh content saved at once (mode 0600);
// - a file that can't be read (no permission, a folder, a FIFO, a symbolic link, over
//   kMaxXmlDocumentBytes) is not damaged: it may hold the user's plans, so it is left as it is
//   and nothing is saved over it;
// - a file that was read but does not parse is kept aside (`nowSeconds` names the copy, local
//   time) before the fresh content replaces it, so the user's plans or holidays are never lost.
DataDocumentLoadResult LoadDataDocument(CTessvarXmlParse& root, const std::filesystem::path& file,
                                        const DataDocumentContent& fresh, DataDocumentUse use,
                                        std::int64_t nowSeconds);

// One line on what a load had to do, for the resident program's stderr; "" when there is nothing
// to tell (the file was loaded, created, or is missing for a reader).
std::string DataDocumentLoadReport(const std::filesystem::path& file,
                                   const DataDocumentLoadResult& result);

// The same line, prefixed "Veltaro: " and ended, on `err`; nothing when there is nothing to tell.
void ReportDataDocumentLoad(std::ostream& err, const std::filesystem::path& file,
                            const DataDocumentLoadResult& result);

}  // namespace veltaro
