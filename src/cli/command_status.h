#pragma once

#include <optional>
#include <ostream>
#include <string_view>

#include "cli/command_arguments.h"

namespace veltaro {

// Writes "veltaro-cli COMMAND: PROBLEM" and gives the exit status of bad arguments.
int ReportBadArguments(std::string_view command, std::string_view problem, std::ostream& err);

// Writes "veltaro-cli COMMAND: PROBLEM" and gives the exit status of data that can't be read.
int ReportUnreadable(std::string_view command, std::string_view problem, std::ostream& err);

// The exit status when the subcommand ends before doing its work: the arguments' error, or the
// usage "usage: veltaro-cli COMMAND USAGE" when --help was asked for.
std::optional<int> EndForErrorOrHelp(std::string_view command, std::string_view usage,
                                     const CommandArguments& parsed, std::ostream& out,
                                     std::ostream& err);

}  // namespace veltaro
