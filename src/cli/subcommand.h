#pragma once

#include <ostream>
#include <span>
#include <string>
#include <string_view>

namespace veltaro {

// One subcommand of the companion: `arguments` are those after its name. Returns the exit
// status: 0 done, 1 the data could not be read, 2 bad arguments.
using SubcommandMain = int (*)(std::span<const std::string> arguments, std::ostream& out,
                               std::ostream& err);

struct Subcommand {
    std::string_view name;
    std::string_view usage;  // the arguments, for the help text
    std::string_view summary;
    SubcommandMain run;
};

std::span<const Subcommand> AllSubcommands();

inline constexpr int kExitDone = 0;
inline constexpr int kExitUnreadable = 1;
inline constexpr int kExitBadArguments = 2;

}  // namespace veltaro
