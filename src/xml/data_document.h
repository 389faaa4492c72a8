#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

#include "xml/tessvar_xml_parse.h"

namespace veltaro {

enum class DataDocumentLoad {
    kLoaded,           // the file was read
    kCreated,          // the file was missing: the default text was loaded and saved
    kReplacedDamaged,  // the file did not load: kept aside, then the default saved in its place
    kDefaultNotSaved,  // the default text is in memory, but it could not be saved
};

// Loads one of the program's XML data files into `root`. A missing file gets `defaultText`,
// saved at once. A file that exists but does not load still holds the user's plans or holidays:
// it is kept aside (renamed with a time suffix, `nowSeconds` local) before the default replaces it.
DataDocumentLoad LoadDataDocument(CTessvarXmlParse& root, const std::filesystem::path& file,
                                  std::string_view defaultText, std::int64_t nowSeconds);

}  // namespace veltaro
