#include "cli/command_defaults.h"

#include "platform/locale_language.h"
#include "platform/program_folder.h"

namespace veltaro {

std::filesystem::path DefaultDataFolder() {
    return DataDirectoryForReading(ProgramDirectory(), DataHome());
}

int DefaultLanguage(const SettingsStore& settings, const EnvironmentLookup& environment) {
    if (const std::optional<std::uint32_t> stored = settings.ReadDword("Language")) {
        return static_cast<int>(*stored);
    }
    return UserLanguageId(environment);
}

int DefaultLanguage() {
    return DefaultLanguage(FileSettingsStore(DefaultSettingsPath()), ProcessEnvironment);
}

}  // namespace veltaro
