#pragma once

#include <ostream>
#include <span>
#include <string>

#include "cli/log_report.h"

namespace veltaro {

struct ParsedLogArguments {
    LogOptions options;
    bool help = false;
    std::string error;  // what is wrong with the arguments; empty when nothing is
};

// `[--data-dir DIR] [--csv] [--lang zh|en] [--help]`; options not given keep `defaults`.
ParsedLogArguments ParseLogArguments(std::span<const std::string> arguments, LogOptions defaults);

// The `log` subcommand on the real clock, boot and data folder.
int LogCommand(std::span<const std::string> arguments, std::ostream& out, std::ostream& err);

}  // namespace veltaro
