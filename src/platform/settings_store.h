#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/clock.h"

namespace veltaro {

// The registry's value types the program uses; a stored value of any other number keeps it.
enum class SettingType : std::uint32_t {
    kString = 1,        // REG_SZ
    kExpandString = 2,  // REG_EXPAND_SZ
    kBinary = 3,        // REG_BINARY
    kDword = 4,         // REG_DWORD, little-endian
};

// One value as the registry keeps it: its type and its exact bytes. Strings are UTF-16LE with
// their terminating zero, which is what the typed reads below check for.
struct SettingValue {
    SettingType type = SettingType::kBinary;
    std::vector<std::uint8_t> bytes;

    bool operator==(const SettingValue&) const = default;
};

// A REG_SZ of `utf8` (invalid UTF-8 sequences become U+FFFD).
SettingValue StringSetting(std::string_view utf8);
// A REG_SZ of UTF-16 `units`, given without the terminating zero the value gets.
SettingValue StringSettingOfUnits(std::u16string units);
// A REG_DWORD.
SettingValue DwordSetting(std::uint32_t value);

// The UTF-16LE units of a value's bytes; a last odd byte is not part of any unit.
std::u16string UnitsOfSetting(const std::vector<std::uint8_t>& bytes);
// The little-endian number of up to 4 bytes.
std::uint32_t LittleEndianValue(const std::vector<std::uint8_t>& bytes);

// Values written together, by name.
using SettingWrites = std::vector<std::pair<std::string, SettingValue>>;

// The per-user settings of key `SOFTWARE\Veltaro`. Missing values and an unusable store both
// read as nothing, so that defaults apply.
class SettingsStore {
public:
    // The most bytes a string read of a 260-character buffer takes.
    static constexpr std::size_t kPathStringMaxBytes = 520;

    virtual ~SettingsStore() = default;

    virtual std::optional<SettingValue> Read(std::string_view name) const = 0;
    // Stores all of `values` in one transaction, or none of them. Names are UTF-8 without
    // control characters.
    virtual bool Write(const SettingWrites& values) = 0;

    bool WriteString(std::string_view name, std::string_view utf8);
    bool WriteDword(std::string_view name, std::uint32_t value);

    // A REG_DWORD of exactly 4 bytes; any other type or size reads as nothing.
    std::optional<std::uint32_t> ReadDword(std::string_view name) const;
    // 4 bytes of any type, as a read into a 4-byte buffer gives them: a longer value fails, a
    // shorter one fills the low bytes and leaves the others 0.
    std::optional<std::uint32_t> ReadFourBytes(std::string_view name) const;
    // A REG_SZ or REG_EXPAND_SZ (not expanded) of at most kPathStringMaxBytes, taken when it is
    // empty (0 bytes) or of even size ending in the terminating zero, up to its first zero.
    std::optional<std::string> ReadPathString(std::string_view name) const;
};

// The store as a REGEDIT4-like text file of mode 0600, replaced atomically under a lock on a
// file beside it, so that writers in several processes never lose each other's values. A file
// that doesn't parse reads as empty and is kept aside (renamed with a time suffix) by the next
// write, which starts a new one. A file that can't be read (no permission, a folder, a FIFO, a
// symbolic link, over the size cap) reads as empty too but may hold good values: it is left as
// it is, and every write fails, so that the caller can say the settings can't be saved.
class FileSettingsStore final : public SettingsStore {
public:
    explicit FileSettingsStore(std::filesystem::path file);
    // `clock` names the kept-aside copies of a damaged file; it must outlive the store.
    FileSettingsStore(std::filesystem::path file, const Clock& clock);

    std::optional<SettingValue> Read(std::string_view name) const override;
    bool Write(const SettingWrites& values) override;

private:
    std::filesystem::path file_;
    const Clock& clock_;
};

// $XDG_CONFIG_HOME/veltaro/settings.reg; empty when there is no config folder.
std::filesystem::path DefaultSettingsPath();

}  // namespace veltaro
