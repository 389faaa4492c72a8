// The companion's command lines: arguments split at NUL bytes, read by every subcommand's rules,
// and the dates and numbers in them.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "cli/command_arguments.h"
#include "cli/operand_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> arguments(1);
    for (std::size_t at = 0; at < size; ++at) {
        if (data[at] == 0) {
            arguments.emplace_back();
        } else {
            arguments.back().push_back(static_cast<char>(data[at]));
        }
    }
    const veltaro::CommandOptionSet every{.now = true,
                                          .names = true,
                                          .cells = true,
                                          .csv = true,
                                          .schedule = true,
                                          .summary = true,
                                          .periods = true,
                                          .operands = true};
    (void)veltaro::ParseCommandArguments(arguments, every, "/tmp", 9);
    (void)veltaro::ParseCommandArguments(arguments, {}, "/tmp", 4);
    for (const std::string& argument : arguments) {
        (void)veltaro::ParseDate(argument);
        (void)veltaro::ParseDateTime(argument);
        (void)veltaro::ParseNumberIn(argument, 1900, 2100);
        (void)veltaro::QuotedInput(argument);
    }
    return 0;
}
