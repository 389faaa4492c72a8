#pragma once

#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "cli/calendar_commands.h"

namespace veltaro {

inline constexpr std::string_view kRemindUsage =
    "[--data-dir DIR] [--lang zh|en] [--now \"YYYY-MM-DD HH:MM:SS\"] [--schedule]";
inline constexpr std::string_view kRemindSummary =
    "the plans of RemindInfo.xml as the plan editor lists them; --schedule: their occurrences, "
    "armed, passed, or never (a date the calendar lacks)";

// `remind` with the defaults of `context`: its clock gives now when --now is not given.
int RunRemindCommand(std::span<const std::string> arguments, const CalendarContext& context,
                     std::ostream& out, std::ostream& err);

}  // namespace veltaro
