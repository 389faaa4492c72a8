#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace veltaro {

// A Gregorian date or date and time as the calendar subcommands take them.
struct CivilDateTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;

    friend bool operator==(const CivilDateTime&, const CivilDateTime&) = default;
};

// Which options beyond --data-dir, --lang and --help a calendar subcommand takes.
struct CalendarOptionSet {
    bool now = false;
    bool names = false;
    bool cells = false;
};

struct CalendarArguments {
    std::filesystem::path dataFolder;
    int language = 0;
    std::optional<CivilDateTime> now;  // from --now
    bool names = false;
    bool cells = false;
    bool help = false;
    std::vector<std::string> operands;  // the arguments that are not options, in order
    std::string error;                  // what is wrong with the arguments; empty when nothing is
};

// `[--data-dir DIR] [--lang zh|en] [--help]` and the options of `accepted`, in any order among the
// operands. `dataFolder` and `language` are the values when the options are not given.
CalendarArguments ParseCalendarArguments(std::span<const std::string> arguments,
                                         CalendarOptionSet accepted,
                                         std::filesystem::path dataFolder, int language);

// "YYYY-MM-DD" naming a day that exists, years 1 to 9999.
std::optional<CivilDateTime> ParseDate(std::string_view text);
// "YYYY-MM-DD HH:MM:SS" with a date as ParseDate takes it and a time of 00:00:00 to 23:59:59.
std::optional<CivilDateTime> ParseDateTime(std::string_view text);
// A decimal number from `first` to `last`, nothing else.
std::optional<int> ParseNumberIn(std::string_view text, int first, int last);

// "YYYY-MM-DD".
std::string IsoDateText(const CivilDateTime& date);

}  // namespace veltaro
