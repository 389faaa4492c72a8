#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace veltaro {

// A Gregorian date or date and time as the subcommands take them.
struct CivilDateTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;

    friend bool operator==(const CivilDateTime&, const CivilDateTime&) = default;
};

// "YYYY-MM-DD" naming a day that exists, years 1 to 9999.
std::optional<CivilDateTime> ParseDate(std::string_view text);
// "YYYY-MM-DD HH:MM:SS" with a date as ParseDate takes it and a time of 00:00:00 to 23:59:59.
std::optional<CivilDateTime> ParseDateTime(std::string_view text);
// A decimal number from `first` to `last`, nothing else.
std::optional<int> ParseNumberIn(std::string_view text, int first, int last);

// "YYYY-MM-DD".
std::string IsoDateText(const CivilDateTime& date);

}  // namespace veltaro
