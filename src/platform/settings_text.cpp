#include "platform/settings_text.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "platform/unicode_text.h"

namespace veltaro {
namespace {

constexpr std::string_view kFileHeader = "REGEDIT4";
constexpr std::string_view kKeyLine = "[HKEY_CURRENT_USER\\SOFTWARE\\Veltaro]";

bool IsControlCharacter(char32_t c) {
    return c < 0x20 || c == 0x7F;
}

std::string Quoted(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
        }
        quoted += c;
    }
    return quoted + "\"";
}

// The text of a REG_SZ that reads back to exactly its bytes: one terminating zero, valid UTF-16
// and nothing that would break the line. Anything else is written as hex.
std::optional<std::string> ReadableString(const SettingValue& value) {
    if (value.type != SettingType::kString || value.bytes.size() < 2 ||
        value.bytes.size() % 2 != 0) {
        return std::nullopt;
    }
    std::u16string units = UnitsOfSetting(value.bytes);
    if (units.back() != u'\0') {
        return std::nullopt;
    }
    units.pop_back();
    const bool printable = std::none_of(units.begin(), units.end(),
                                        [](char16_t unit) { return IsControlCharacter(unit); });
    return printable ? Utf8Of(units, InvalidSequences::kFail) : std::nullopt;
}

std::string HexNumber(std::uint32_t number, const char* format) {
    char digits[16];
    std::snprintf(digits, sizeof digits, format, static_cast<unsigned>(number));
    return digits;
}

std::string HexList(const std::vector<std::uint8_t>& bytes) {
    std::string list;
    for (const std::uint8_t byte : bytes) {
        if (!list.empty()) {
            list += ',';
        }
        list += HexNumber(byte, "%02x");
    }
    return list;
}

std::string FormatValue(const SettingValue& value) {
    if (const auto readable = ReadableString(value)) {
        return Quoted(*readable);
    }
    if (value.type == SettingType::kDword && value.bytes.size() == 4) {
        return "dword:" + HexNumber(LittleEndianValue(value.bytes), "%08x");
    }
    const auto type = static_cast<std::uint32_t>(value.type);
    const std::string prefix =
        value.type == SettingType::kBinary ? "hex:" : "hex(" + HexNumber(type, "%x") + "):";
    return prefix + HexList(value.bytes);
}

// The quoted text starting at `pos`, moving `pos` past its closing quote.
std::optional<std::string> ParseQuoted(std::string_view line, std::size_t& pos) {
    if (pos >= line.size() || line[pos] != '"') {
        return std::nullopt;
    }
    std::string text;
    for (++pos; pos < line.size(); ++pos) {
        char c = line[pos];
        if (c == '"') {
            ++pos;
            return text;
        }
        if (c == '\\') {
            if (++pos == line.size() || (line[pos] != '"' && line[pos] != '\\')) {
                return std::nullopt;
            }
            c = line[pos];
        }
        text += c;
    }
    return std::nullopt;
}

std::optional<std::uint32_t> ParseHexNumber(std::string_view digits, std::size_t maxDigits) {
    const bool allHex = std::all_of(digits.begin(), digits.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    });
    if (digits.empty() || digits.size() > maxDigits || !allHex) {
        return std::nullopt;
    }
    std::uint32_t number = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), number, 16);
    return number;
}

// Two hex digits per byte, separated by commas; an empty list is no bytes.
std::optional<std::vector<std::uint8_t>> ParseHexList(std::string_view list) {
    std::vector<std::uint8_t> bytes;
    for (std::size_t start = 0; start < list.size();) {
        const auto comma = std::min(list.find(',', start), list.size());
        const auto item = list.substr(start, comma - start);
        const auto byte = item.size() == 2 ? ParseHexNumber(item, 2) : std::nullopt;
        // A trailing comma promises a byte that isn't there.
        if (!byte || comma == list.size() - 1) {
            return std::nullopt;
        }
        bytes.push_back(static_cast<std::uint8_t>(*byte));
        start = comma + 1;
    }
    return bytes;
}

std::optional<SettingValue> ParseHexValue(SettingType type, std::string_view list) {
    auto bytes = ParseHexList(list);
    if (!bytes) {
        return std::nullopt;
    }
    return SettingValue{type, std::move(*bytes)};
}

std::optional<SettingValue> ParseValue(std::string_view text) {
    if (text.starts_with('"')) {
        std::size_t pos = 0;
        const auto quoted = ParseQuoted(text, pos);
        auto units =
            quoted && pos == text.size() ? Utf16Of(*quoted, InvalidSequences::kFail) : std::nullopt;
        if (!units) {
            return std::nullopt;
        }
        return StringSettingOfUnits(std::move(*units));
    }
    if (text.starts_with("dword:")) {
        const auto number = text.size() == 14 ? ParseHexNumber(text.substr(6), 8) : std::nullopt;
        if (!number) {
            return std::nullopt;
        }
        return DwordSetting(*number);
    }
    if (text.starts_with("hex:")) {
        return ParseHexValue(SettingType::kBinary, text.substr(4));
    }
    const auto typeEnd = text.find("):");
    if (!text.starts_with("hex(") || typeEnd == std::string_view::npos) {
        return std::nullopt;
    }
    const auto type = ParseHexNumber(text.substr(4, typeEnd - 4), 8);
    if (!type) {
        return std::nullopt;
    }
    return ParseHexValue(static_cast<SettingType>(*type), text.substr(typeEnd + 2));
}

std::optional<std::pair<std::string, SettingValue>> ParseValueLine(std::string_view line) {
    std::size_t pos = 0;
    auto name = ParseQuoted(line, pos);
    if (!name || !IsValidSettingName(*name) || pos == line.size() || line[pos] != '=') {
        return std::nullopt;
    }
    auto value = ParseValue(line.substr(pos + 1));
    if (!value) {
        return std::nullopt;
    }
    return std::pair{std::move(*name), std::move(*value)};
}

std::string_view WithoutTrailingSpace(std::string_view line) {
    const auto end = line.find_last_not_of(" \t\r");
    return end == std::string_view::npos ? std::string_view{} : line.substr(0, end + 1);
}

}  // namespace

bool IsValidSettingName(std::string_view name) {
    std::size_t pos = 0;
    while (pos < name.size()) {
        const auto codePoint = DecodeUtf8(name, pos);
        if (!codePoint || IsControlCharacter(*codePoint)) {
            return false;
        }
    }
    return true;
}

std::string FormatSettingsText(const SettingMap& values) {
    std::string text = std::string(kFileHeader) + "\n\n" + std::string(kKeyLine) + "\n";
    for (const auto& [name, value] : values) {
        text += Quoted(name) + "=" + FormatValue(value) + "\n";
    }
    return text;
}

std::optional<SettingMap> ParseSettingsText(std::string_view text) {
    SettingMap values;
    bool headerSeen = false;
    bool keySeen = false;
    while (!text.empty()) {
        const auto lineEnd = text.find('\n');
        const auto line = WithoutTrailingSpace(text.substr(0, lineEnd));
        text.remove_prefix(lineEnd == std::string_view::npos ? text.size() : lineEnd + 1);
        if (!headerSeen) {
            if (line != kFileHeader) {
                return std::nullopt;
            }
            headerSeen = true;
        } else if (line.empty() || line.starts_with(';')) {
            continue;
        } else if (!keySeen && line == kKeyLine) {
            keySeen = true;
        } else if (auto entry = keySeen ? ParseValueLine(line) : std::nullopt) {
            // A later line wins, as an import of the file would have it.
            values.insert_or_assign(std::move(entry->first), std::move(entry->second));
        } else {
            return std::nullopt;
        }
    }
    if (!headerSeen) {
        return std::nullopt;
    }
    return values;
}

}  // namespace veltaro
