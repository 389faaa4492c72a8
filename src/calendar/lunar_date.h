#pragma once

namespace veltaro {

// A date of the Chinese lunar calendar.
struct LunarDate {
    // Numbered by the Gregorian year in which its first month begins.
    int year = 0;
    // 1..12; a leap month carries the number of the month it follows.
    int month = 0;
    // 1..30.
    int day = 0;
    // True for the leap month inserted after month `month`.
    bool leap = false;

    friend bool operator==(const LunarDate&, const LunarDate&) = default;
};

}  // namespace veltaro
