// The XML data files as they arrive from disk: any bytes, any declared encoding. Whatever loads
// is walked and saved again.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "remind/remind_plan.h"
#include "remind/remind_schedule.h"
#include "xml/tessvar_xml_parse.h"

namespace {

// Reads every element as the program's lookups do, deep trees included.
void Walk(const veltaro::CTessvarXmlParse& node) {
    (void)node.GetName();
    (void)node.GetText();
    (void)node.GetAttributeInt("Year", 0);
    for (int index = 0; index < node.GetChildCount(); ++index) {
        Walk(node.GetChildAt(index));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    veltaro::CTessvarXmlParse root;
    if (!root.LoadFileBytes({reinterpret_cast<const char*>(data), size})) {
        return 0;
    }
    // The plans read from it and their schedule: numbers of any size, words, missing parts.
    (void)veltaro::BuildRemindSchedule(root, {2024, 2, 29, 12, 0, 0});
    Walk(root);
    return 0;
}
