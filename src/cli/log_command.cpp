#include "cli/log_command.h"

#include "cli/data_folder.h"
#include "cli/locale_language.h"
#include "cli/subcommand.h"
#include "platform/boot_tag.h"
#include "recorder/history_text.h"

namespace veltaro {

ParsedLogArguments ParseLogArguments(std::span<const std::string> arguments, LogOptions defaults) {
    ParsedLogArguments parsed;
    parsed.options = std::move(defaults);
    for (std::size_t i = 0; i < arguments.size() && parsed.error.empty(); ++i) {
        const std::string& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == "--csv") {
            parsed.options.csv = true;
        } else if (argument == "--help" || argument == "-h") {
            parsed.help = true;
        } else if (argument == "--data-dir") {
            if (!hasValue || arguments[i + 1].empty()) {
                parsed.error = "--data-dir needs a folder";
            } else {
                parsed.options.dataFolder = arguments[++i];
            }
        } else if (argument == "--lang") {
            if (!hasValue) {
                parsed.error = "--lang needs zh or en";
            } else if (const std::string& value = arguments[++i]; value == "zh" || value == "en") {
                parsed.options.language = value == "zh" ? kChineseLanguage : kEnglishLanguage;
            } else {
                parsed.error = "--lang needs zh or en, not '" + value + "'";
            }
        } else {
            parsed.error = "unknown argument '" + argument + "'";
        }
    }
    return parsed;
}

int LogCommand(std::span<const std::string> arguments, std::ostream& out, std::ostream& err) {
    LogOptions defaults;
    defaults.dataFolder = DefaultDataFolder();
    defaults.language = LocaleLanguage();
    const ParsedLogArguments parsed = ParseLogArguments(arguments, std::move(defaults));
    if (!parsed.error.empty()) {
        err << "veltaro-cli log: " << parsed.error << '\n';
        return kExitBadArguments;
    }
    if (parsed.help) {
        out << "usage: veltaro-cli log [--data-dir DIR] [--csv] [--lang zh|en]\n";
        return kExitDone;
    }
    const SystemClock clock;
    return ReportRunLog(parsed.options, clock, CurrentBootTag(), out, err);
}

}  // namespace veltaro
