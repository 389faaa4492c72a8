#pragma once

#include <filesystem>

#include "platform/settings_store.h"
#include "platform/xdg_folders.h"

namespace veltaro {

// The resident program's data folder, found without creating anything: the companion only reads.
std::filesystem::path DefaultDataFolder();

// The language the resident program shows: its stored "Language" when that is a REG_DWORD, else
// the primary language id of the user's locale. The value stays as it is (7 for German, say), so
// that any value but Chinese shows the English texts, as in the resident program.
int DefaultLanguage(const SettingsStore& settings, const EnvironmentLookup& environment);

// The same on the user's settings file and the process environment.
int DefaultLanguage();

}  // namespace veltaro
