#include "cli/command_arguments.h"

#include <string_view>

#include "cli/operand_text.h"
#include "platform/locale_language.h"

namespace veltaro {
namespace {

// A negative number is an operand, such as a year, for the subcommand to reject by its range.
bool IsOption(std::string_view argument) {
    return argument.size() > 1 && argument.front() == '-' &&
           !(argument[1] >= '0' && argument[1] <= '9');
}

class ArgumentReader {
public:
    ArgumentReader(std::span<const std::string> arguments, CommandOptionSet accepted)
        : arguments_(arguments), accepted_(accepted) {}

    void ReadInto(CommandArguments& parsed) {
        for (next_ = 0; next_ < arguments_.size() && parsed.error.empty();) {
            ReadOne(arguments_[next_++], parsed);
        }
    }

private:
    const std::string* TakeValue() {
        return next_ < arguments_.size() ? &arguments_[next_++] : nullptr;
    }

    void ReadOne(const std::string& argument, CommandArguments& parsed) {
        if (argument == "--help" || argument == "-h") {
            parsed.help = true;
        } else if (argument == "--data-dir") {
            ReadDataFolder(parsed);
        } else if (argument == "--lang") {
            ReadLanguage(parsed);
        } else if (argument == "--now" && accepted_.now) {
            ReadNow(parsed);
        } else if (accepted_.periods &&
                   (argument == "--days" || argument == "--weeks" || argument == "--months")) {
            ReadPeriods(argument.substr(2), parsed);
        } else if (!ReadFlag(argument, parsed)) {
            ReadOther(argument, parsed);
        }
    }

    // The options that stand alone; false when `argument` is none the subcommand takes.
    bool ReadFlag(std::string_view argument, CommandArguments& parsed) const {
        const struct {
            std::string_view name;
            bool accepted;
            bool CommandArguments::*flag;
        } flags[] = {
            {"--names", accepted_.names, &CommandArguments::names},
            {"--cells", accepted_.cells, &CommandArguments::cells},
            {"--csv", accepted_.csv, &CommandArguments::csv},
            {"--schedule", accepted_.schedule, &CommandArguments::schedule},
            {"--summary", accepted_.summary, &CommandArguments::summary},
        };
        for (const auto& flag : flags) {
            if (argument == flag.name && flag.accepted) {
                parsed.*flag.flag = true;
                return true;
            }
        }
        return false;
    }

    void ReadOther(const std::string& argument, CommandArguments& parsed) const {
        if (IsOption(argument)) {
            parsed.error = "unknown argument " + QuotedInput(argument);
        } else if (!accepted_.operands) {
            parsed.error = "unexpected argument " + QuotedInput(argument);
        } else {
            parsed.operands.push_back(argument);
        }
    }

    void ReadDataFolder(CommandArguments& parsed) {
        const std::string* value = TakeValue();
        if (value == nullptr || value->empty()) {
            parsed.error = "--data-dir needs a folder";
        } else {
            parsed.dataFolder = *value;
        }
    }

    void ReadLanguage(CommandArguments& parsed) {
        const std::string* value = TakeValue();
        if (value == nullptr) {
            parsed.error = "--lang needs zh or en";
        } else if (*value == "zh" || *value == "en") {
            parsed.language = *value == "zh" ? kLanguageChinese : kLanguageEnglish;
        } else {
            parsed.error = "--lang needs zh or en, not " + QuotedInput(*value);
        }
    }

    void ReadNow(CommandArguments& parsed) {
        const std::string* value = TakeValue();
        if (value == nullptr) {
            parsed.error = "--now needs \"YYYY-MM-DD HH:MM:SS\"";
        } else if (std::optional<LocalDateTime> now = ParseDateTime(*value)) {
            parsed.now = now;
        } else {
            parsed.error = "--now needs \"YYYY-MM-DD HH:MM:SS\", not " + QuotedInput(*value);
        }
    }

    void ReadPeriods(const std::string& unit, CommandArguments& parsed) {
        const std::string* value = TakeValue();
        const std::optional<int> count =
            value == nullptr ? std::nullopt : ParseNumberIn(*value, 1, 1000);
        if (!count) {
            parsed.error = "--" + unit + " needs a number from 1 to 1000" +
                           (value == nullptr ? "" : ", not " + QuotedInput(*value));
        } else {
            parsed.periodUnit = unit;
            parsed.periodCount = *count;
        }
    }

    std::span<const std::string> arguments_;
    CommandOptionSet accepted_;
    std::size_t next_ = 0;
};

}  // namespace

CommandArguments ParseCommandArguments(std::span<const std::string> arguments,
                                       CommandOptionSet accepted, std::filesystem::path dataFolder,
                                       int language) {
    CommandArguments parsed;
    parsed.dataFolder = std::move(dataFolder);
    parsed.language = language;
    ArgumentReader(arguments, accepted).ReadInto(parsed);
    return parsed;
}

}  // namespace veltaro
