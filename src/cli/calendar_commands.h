#pragma once

#include <filesystem>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "platform/clock.h"

namespace veltaro {

// What the options of the calendar and remind subcommands default to: the resident program's data
// folder and language and the system clock when the companion runs, fixed values in tests.
struct CalendarContext {
    std::filesystem::path dataFolder;
    int language = 0;
    const Clock& clock;
    // Where an installed program keeps the data files it ships; none in tests unless given.
    std::filesystem::path shippedFolder = {};
};

inline constexpr std::string_view kLunarUsage = "DATE [DATE2]";
inline constexpr std::string_view kLunarSummary =
    "the lunar date of every day from DATE to DATE2 (YYYY-MM-DD, 1900-01-31..2100-02-08)";
inline constexpr std::string_view kTermsUsage = "YEAR [YEAR2] [--names]";
inline constexpr std::string_view kTermsSummary =
    "the days of the month of the 24 solar terms of every year from YEAR to YEAR2";
inline constexpr std::string_view kHolidaysUsage = "DATE [--data-dir DIR] [--lang zh|en]";
inline constexpr std::string_view kHolidaysSummary =
    "the holidays of a day from Holiday.xml: kind, identifier and name, tab-separated";
inline constexpr std::string_view kCalUsage =
    "[YEAR MONTH] [--cells] [--now \"YYYY-MM-DD HH:MM:SS\"] [--data-dir DIR] [--lang zh|en]";
inline constexpr std::string_view kCalSummary =
    "a month of the perpetual calendar with the day of --now selected; --cells lists its 42 cells";

int RunLunarCommand(std::span<const std::string> arguments, const CalendarContext& context,
                    std::ostream& out, std::ostream& err);
int RunTermsCommand(std::span<const std::string> arguments, const CalendarContext& context,
                    std::ostream& out, std::ostream& err);
int RunHolidaysCommand(std::span<const std::string> arguments, const CalendarContext& context,
                       std::ostream& out, std::ostream& err);
int RunCalCommand(std::span<const std::string> arguments, const CalendarContext& context,
                  std::ostream& out, std::ostream& err);

}  // namespace veltaro
