#pragma once

#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "platform/clock.h"

namespace veltaro {

inline constexpr std::string_view kUsageUsage =
    "[--days N | --weeks N | --months N] [--csv] [--data-dir DIR] [--lang zh|en] [--now TIME]";
inline constexpr std::string_view kUsageSummary =
    "hours the computer ran per day, week or month (the last 30 days unless told otherwise)";

// The `usage` subcommand. `barColumns` is the width for the bars (0: none, as when the output is
// no terminal).
int RunUsageCommand(std::span<const std::string> arguments, const Clock& clock,
                    std::size_t barColumns, std::ostream& out, std::ostream& err);

// On this computer: the real clock and boot, bars as wide as the terminal allows.
int UsageCommand(std::span<const std::string> arguments, std::ostream& out, std::ostream& err);

}  // namespace veltaro
