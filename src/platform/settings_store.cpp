#include "platform/settings_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <ctime>
#include <map>
#include <tuple>

#include "platform/atomic_file.h"
#include "platform/file_lock.h"
#include "platform/keep_aside.h"
#include "platform/xdg_folders.h"

namespace veltaro {

namespace {

using SettingMap = std::map<std::string, SettingValue, std::less<>>;

constexpr std::string_view kFileHeader = "REGEDIT4";
constexpr std::string_view kKeyLine = "[HKEY_CURRENT_USER\\SOFTWARE\\Veltaro]";
// Far above any real settings file; a bigger one is not ours and is not read into memory.
constexpr std::size_t kMaxFileBytes = 1 << 20;
constexpr char32_t kReplacementCharacter = 0xFFFD;

// --- UTF-8 and UTF-16 ---------------------------------------------------------------------

// The code point at `pos`, moving `pos` past it; nothing for an invalid, overlong or surrogate
// sequence, with `pos` moved past its first byte only.
std::optional<char32_t> DecodeUtf8(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos++]);
    if (lead < 0x80) {
        return lead;
    }
    // Continuation bytes that follow, the lead's own bits, the smallest code point not overlong.
    const auto [extra, leadBits,
                smallest] = [lead]() -> std::tuple<std::size_t, char32_t, char32_t> {
        if ((lead & 0xE0) == 0xC0) {
            return {1, lead & 0x1Fu, 0x80};
        }
        if ((lead & 0xF0) == 0xE0) {
            return {2, lead & 0x0Fu, 0x800};
        }
        if ((lead & 0xF8) == 0xF0) {
            return {3, lead & 0x07u, 0x10000};
        }
        return {0, 0, 0};
    }();
    if (extra == 0 || text.size() - pos < extra) {
        return std::nullopt;
    }
    char32_t codePoint = leadBits;
    for (std::size_t index = 0; index < extra; ++index) {
        const auto next = static_cast<unsigned char>(text[pos + index]);
        if ((next & 0xC0) != 0x80) {
            return std::nullopt;
        }
        codePoint = (codePoint << 6) | (next & 0x3Fu);
    }
    if (codePoint < smallest || codePoint > 0x10FFFF ||
        (codePoint >= 0xD800 && codePoint < 0xE000)) {
        return std::nullopt;
    }
    pos += extra;
    return codePoint;
}

// The code point at `pos`, moving `pos` past it; nothing for a lone surrogate.
std::optional<char32_t> DecodeUtf16(std::u16string_view units, std::size_t& pos) {
    const char32_t unit = units[pos++];
    if (unit < 0xD800 || unit >= 0xE000) {
        return unit;
    }
    if (unit >= 0xDC00 || pos == units.size() || units[pos] < 0xDC00 || units[pos] >= 0xE000) {
        return std::nullopt;
    }
    const char32_t low = units[pos++];
    return 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
}

void AppendUtf8(std::string& text, char32_t codePoint) {
    const auto byte = [](char32_t bits) { return static_cast<char>(bits); };
    if (codePoint < 0x80) {
        text += byte(codePoint);
    } else if (codePoint < 0x800) {
        text += byte(0xC0 | (codePoint >> 6));
        text += byte(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        text += byte(0xE0 | (codePoint >> 12));
        text += byte(0x80 | ((codePoint >> 6) & 0x3F));
        text += byte(0x80 | (codePoint & 0x3F));
    } else {
        text += byte(0xF0 | (codePoint >> 18));
        text += byte(0x80 | ((codePoint >> 12) & 0x3F));
        text += byte(0x80 | ((codePoint >> 6) & 0x3F));
        text += byte(0x80 | (codePoint & 0x3F));
    }
}

void AppendUtf16(std::u16string& units, char32_t codePoint) {
    if (codePoint < 0x10000) {
        units += static_cast<char16_t>(codePoint);
        return;
    }
    const char32_t offset = codePoint - 0x10000;
    units += static_cast<char16_t>(0xD800 + (offset >> 10));
    units += static_cast<char16_t>(0xDC00 + (offset & 0x3FF));
}

// With `strict`, an invalid sequence gives nothing; without it, U+FFFD.
std::optional<std::u16string> Utf16Of(std::string_view utf8, bool strict) {
    std::u16string units;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const auto codePoint = DecodeUtf8(utf8, pos);
        if (!codePoint && strict) {
            return std::nullopt;
        }
        AppendUtf16(units, codePoint.value_or(kReplacementCharacter));
    }
    return units;
}

std::optional<std::string> Utf8Of(std::u16string_view units, bool strict) {
    std::string text;
    for (std::size_t pos = 0; pos < units.size();) {
        const auto codePoint = DecodeUtf16(units, pos);
        if (!codePoint && strict) {
            return std::nullopt;
        }
        AppendUtf8(text, codePoint.value_or(kReplacementCharacter));
    }
    return text;
}

// Units of an even number of bytes; a last odd byte is not part of any unit.
std::u16string UnitsOf(const std::vector<std::uint8_t>& bytes) {
    std::u16string units;
    for (std::size_t index = 0; index + 1 < bytes.size(); index += 2) {
        units += static_cast<char16_t>(bytes[index] | (bytes[index + 1] << 8));
    }
    return units;
}

std::vector<std::uint8_t> BytesOf(std::u16string_view units) {
    std::vector<std::uint8_t> bytes;
    for (const char16_t unit : units) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

SettingValue StringValueOfUnits(std::u16string units) {
    units += u'\0';
    return {SettingType::kString, BytesOf(units)};
}

std::uint32_t LittleEndianValue(const std::vector<std::uint8_t>& bytes) {
    std::uint32_t value = 0;
    for (std::size_t index = bytes.size(); index > 0; --index) {
        value = (value << 8) | bytes[index - 1];
    }
    return value;
}

bool IsControlCharacter(char32_t c) {
    return c < 0x20 || c == 0x7F;
}

bool IsStringType(SettingType type) {
    return type == SettingType::kString || type == SettingType::kExpandString;
}

// --- The file's text ----------------------------------------------------------------------

// A line holds one name: a control character in it would break the file's lines.
bool IsValidName(std::string_view name) {
    std::size_t pos = 0;
    while (pos < name.size()) {
        const auto codePoint = DecodeUtf8(name, pos);
        if (!codePoint || IsControlCharacter(*codePoint)) {
            return false;
        }
    }
    return true;
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
    std::u16string units = UnitsOf(value.bytes);
    if (units.back() != u'\0') {
        return std::nullopt;
    }
    units.pop_back();
    const bool printable = std::none_of(units.begin(), units.end(),
                                        [](char16_t unit) { return IsControlCharacter(unit); });
    return printable ? Utf8Of(units, true) : std::nullopt;
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

std::string FormatFile(const SettingMap& values) {
    std::string text = std::string(kFileHeader) + "\n\n" + std::string(kKeyLine) + "\n";
    for (const auto& [name, value] : values) {
        text += Quoted(name) + "=" + FormatValue(value) + "\n";
    }
    return text;
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
        auto units = quoted && pos == text.size() ? Utf16Of(*quoted, true) : std::nullopt;
        if (!units) {
            return std::nullopt;
        }
        return StringValueOfUnits(std::move(*units));
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
    if (!name || !IsValidName(*name) || pos == line.size() || line[pos] != '=') {
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

// The values of a settings file's text; nothing when any line doesn't parse.
std::optional<SettingMap> ParseFile(std::string_view text) {
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

// --- The file -----------------------------------------------------------------------------

enum class FileState { kMissing, kParsed, kDamaged, kUnreadable };

struct LoadedSettings {
    FileState state = FileState::kMissing;
    SettingMap values;
};

// At most `limit` + 1 bytes of a regular file: more than `limit` tells that it is too big.
std::optional<std::string> ReadRegularFile(int fd, std::size_t limit) {
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    std::string text;
    char buffer[4096];
    while (text.size() <= limit) {
        const ssize_t length = ::read(fd, buffer, sizeof buffer);
        if (length < 0 && errno == EINTR) {
            continue;
        }
        if (length < 0) {
            return std::nullopt;
        }
        if (length == 0) {
            break;
        }
        text.append(buffer, static_cast<std::size_t>(length));
    }
    return text;
}

LoadedSettings LoadSettings(const std::filesystem::path& file) {
    // Non-blocking, so that a FIFO planted at the path cannot hang the start; only a regular
    // file is read.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return {errno == ENOENT ? FileState::kMissing : FileState::kUnreadable, {}};
    }
    const auto text = ReadRegularFile(fd, kMaxFileBytes);
    ::close(fd);
    if (!text) {
        return {FileState::kUnreadable, {}};
    }
    auto values = text->size() <= kMaxFileBytes ? ParseFile(*text) : std::nullopt;
    if (!values) {
        return {FileState::kDamaged, {}};
    }
    return {FileState::kParsed, std::move(*values)};
}

const Clock& SystemClockInstance() {
    static const SystemClock clock;
    return clock;
}

}  // namespace

// --- Values and typed access --------------------------------------------------------------

SettingValue StringSetting(std::string_view utf8) {
    return StringValueOfUnits(*Utf16Of(utf8, false));
}

SettingValue DwordSetting(std::uint32_t value) {
    std::vector<std::uint8_t> bytes;
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    }
    return {SettingType::kDword, std::move(bytes)};
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
    std::u16string units = UnitsOf(bytes);
    // Read as a C string, the value ends at its first zero.
    units.resize(units.find(u'\0'));
    return Utf8Of(units, false);
}

// --- The file store -----------------------------------------------------------------------

FileSettingsStore::FileSettingsStore(std::filesystem::path file)
    : FileSettingsStore(std::move(file), SystemClockInstance()) {}

FileSettingsStore::FileSettingsStore(std::filesystem::path file, const Clock& clock)
    : file_(std::move(file)), clock_(clock) {}

std::optional<SettingValue> FileSettingsStore::Read(std::string_view name) const {
    // No lock: the file is only ever replaced whole, so a reader sees one version of it.
    const auto loaded = LoadSettings(file_);
    const auto found = loaded.values.find(name);
    if (found == loaded.values.end()) {
        return std::nullopt;
    }
    return found->second;
}

bool FileSettingsStore::Write(const SettingWrites& values) {
    const bool namesValid = std::all_of(values.begin(), values.end(),
                                        [](const auto& entry) { return IsValidName(entry.first); });
    const auto folder = file_.parent_path();
    if (!namesValid || !file_.has_filename() || (!folder.empty() && !EnsurePrivateFolder(folder))) {
        return false;
    }
    const FileLock lock(std::filesystem::path(file_).concat(".lock"));
    if (!lock.Held()) {
        return false;
    }
    auto loaded = LoadSettings(file_);
    // An unreadable file may still hold good values: leave it alone rather than replace it.
    if (loaded.state == FileState::kUnreadable ||
        (loaded.state == FileState::kDamaged &&
         !KeepDamagedFileAside(file_, clock_.NowSeconds()))) {
        return false;
    }
    for (const auto& [name, value] : values) {
        loaded.values.insert_or_assign(name, value);
    }
    return ReplaceFileAtomically(file_, FormatFile(loaded.values), 0600);
}

std::filesystem::path DefaultSettingsPath() {
    const auto config = ConfigHome();
    return config.empty() ? config : config / "veltaro" / "settings.reg";
}

}  // namespace veltaro
