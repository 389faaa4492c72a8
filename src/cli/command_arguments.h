#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "cli/operand_text.h"

namespace veltaro {

// What a subcommand takes beyond --data-dir DIR, --lang zh|en and --help, which all take.
struct CommandOptionSet {
    bool now = false;       // --now "YYYY-MM-DD HH:MM:SS"
    bool names = false;     // --names
    bool cells = false;     // --cells
    bool csv = false;       // --csv
    bool schedule = false;  // --schedule
    bool summary = false;   // --summary
    bool periods = false;   // --days N, --weeks N, --months N
    bool operands = false;  // arguments that are not options
};

struct CommandArguments {
    std::filesystem::path dataFolder;
    int language = 0;
    std::optional<LocalDateTime> now;
    bool names = false;
    bool cells = false;
    bool csv = false;
    bool schedule = false;
    bool summary = false;
    // "days", "weeks" or "months" and how many of them; empty when not given.
    std::string periodUnit;
    int periodCount = 0;
    bool help = false;
    std::vector<std::string> operands;  // in their order
    std::string error;                  // the first problem of the arguments; empty when none
};

// The arguments of one subcommand, options in any order among the operands; a later option
// overrides an earlier one. The value after an option that takes one is that value as it is, even
// when it reads like an option. `dataFolder` and `language` stand when their options are not
// given. Reading stops at the first problem.
CommandArguments ParseCommandArguments(std::span<const std::string> arguments,
                                       CommandOptionSet accepted, std::filesystem::path dataFolder,
                                       int language);

}  // namespace veltaro
