#pragma once

#include <ostream>
#include <span>
#include <string>
#include <string_view>

namespace veltaro {

inline constexpr std::string_view kLogUsage = "[--data-dir DIR] [--csv | --summary] [--lang zh|en]";
inline constexpr std::string_view kLogSummary =
    "every run of the computer with its start-up, shutdown and run times";

// The `log` subcommand on the real clock and boot, with the resident program's data folder and
// language unless the options say otherwise.
int LogCommand(std::span<const std::string> arguments, std::ostream& out, std::ostream& err);

}  // namespace veltaro
