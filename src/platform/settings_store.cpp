#include "platform/settings_store.h"

#include "platform/unicode_text.h"

namespace veltaro {
namespace {

std::vector<std::uint8_t> BytesOf(std::u16string_view units) {
    std::vector<std::uint8_t> bytes;
    for (const char16_t unit : units) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

bool IsStringType(SettingType type) {
    return type == SettingType::kString || type == SettingType::kExpandString;
}

}  // namespace

SettingValue StringSetting(std::string_view utf8) {
    return StringSettingOfUnits(*Utf16Of(utf8, InvalidSequences::kReplace));
}

SettingValue StringSettingOfUnits(std::u16string units) {
    units += u'\0';
    return {SettingType::kString, BytesOf(units)};
}

SettingValue DwordSetting(std::uint32_t value) {
    std::vector<std::uint8_t> bytes;
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    }
    return {SettingType::kDword, std::move(bytes)};
}

std::u16string UnitsOfSetting(const std::vector<std::uint8_t>& bytes) {
    std::u16string units;
    for (std::size_t index = 0; index + 1 < bytes.size(); index += 2) {
        units += static_cast<char16_t>(bytes[index] | (bytes[index + 1] << 8));
    }
    return units;
}

std::uint32_t LittleEndianValue(const std::vector<std::uint8_t>& bytes) {
    std::uint32_t value = 0;
    for (std::size_t index = bytes.size(); index > 0; --index) {
        value = (value << 8) | bytes[index - 1];
    }
    return value;
}

bool SettingsStore::WriteString(std::string_view name, std::string_view utf8) {
    return Write({{std::string(name), StringSetting(utf8)}});
}

bool SettingsStore::WriteDword(std::string_view name, std::uint32_t value) {
    return Write({{std::string(name), DwordSetting(value)}});
}

std::optional<std::uint32_t> SettingsStore::ReadDword(std::string_view name) const {
    const auto value = Read(name);
    if (!value || value->type != SettingType::kDword || value->bytes.size() != 4) {
        return std::nullopt;
    }
    return LittleEndianValue(value->bytes);
}

std::optional<std::uint32_t> SettingsStore::ReadFourBytes(std::string_view name) const {
    const auto value = Read(name);
    if (!value || value->bytes.size() > 4) {
        return std::nullopt;
    }
    return LittleEndianValue(value->bytes);
}

std::optional<std::string> SettingsStore::ReadPathString(std::string_view name) const {
    const auto value = Read(name);
    if (!value || !IsStringType(value->type) || value->bytes.size() > kPathStringMaxBytes) {
        return std::nullopt;
    }
    const auto& bytes = value->bytes;
    if (bytes.empty()) {
        return std::string{};
    }
    if (bytes.size() % 2 != 0 || bytes[bytes.size() - 2] != 0 || bytes.back() != 0) {
        return std::nullopt;
    }
    std::u16string units = UnitsOfSetting(bytes);
    // Read as a C string, the value ends at its first zero.
    units.resize(units.find(u'\0'));
    return Utf8Of(units, InvalidSequences::kReplace);
}

}  // namespace veltaro
