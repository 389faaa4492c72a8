#include <algorithm>

#include "platform/atomic_file.h"
#include "platform/file_lock.h"
#include "platform/keep_aside.h"
#include "platform/regular_file.h"
#include "platform/settings_store.h"
#include "platform/settings_text.h"
#include "platform/xdg_folders.h"

namespace veltaro {
namespace {

// Far above any real settings file; a bigger one is not ours and is not read into memory.
constexpr std::size_t kMaxFileBytes = 1 << 20;

enum class FileState { kMissing, kParsed, kDamaged, kUnreadable };

struct LoadedSettings {
    FileState state = FileState::kMissing;
    SettingMap values;
};

LoadedSettings LoadSettings(const std::filesystem::path& file) {
    const RegularFileContent content = ReadRegularFile(file, kMaxFileBytes);
    if (content.failure) {
        return {content.failure->fault == FileFault::kMissing ? FileState::kMissing
                                                              : FileState::kUnreadable,
                {}};
    }
    auto values = ParseSettingsText(content.bytes);
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
    const bool namesValid = std::all_of(values.begin(), values.end(), [](const auto& entry) {
        return IsValidSettingName(entry.first);
    });
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
         KeepDamagedFileAside(file_, clock_.NowSeconds()).failure)) {
        return false;
    }
    for (const auto& [name, value] : values) {
        loaded.values.insert_or_assign(name, value);
    }
    return static_cast<bool>(ReplaceFileAtomically(file_, FormatSettingsText(loaded.values), 0600));
}

std::filesystem::path DefaultSettingsPath() {
    const auto config = ConfigHome();
    return config.empty() ? config : config / "veltaro" / "settings.reg";
}

}  // namespace veltaro
