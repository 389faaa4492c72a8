// The settings file's text: whatever parses must format and parse back to the same values.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/settings_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<veltaro::SettingMap> values = veltaro::ParseSettingsText(text);
    if (!values) {
        return 0;
    }
    const std::optional<veltaro::SettingMap> again =
        veltaro::ParseSettingsText(veltaro::FormatSettingsText(*values));
    if (!again || *again != *values) {
        std::abort();  // a value that does not survive a save
    }
    return 0;
}
