#pragma once

#include <compare>
#include <cstdint>
#include <ctime>

namespace veltaro {

// A local calendar date. Plans may carry dates that do not exist (day 31 of a 30-day month,
// month 13), so nothing here assumes a valid one; 0, 0, 0 stands for "no date".
struct LocalDate {
    int year = 0;
    int month = 0;
    int day = 0;

    // By year, then month, then day, each as a signed integer.
    friend auto operator<=>(const LocalDate&, const LocalDate&) = default;
};

// A local wall-clock time to the second, compared field by field from the year down.
struct LocalDateTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;

    friend auto operator<=>(const LocalDateTime&, const LocalDateTime&) = default;
};

LocalDateTime LocalDateTimeFromTm(const std::tm& time);

// The wall-clock second (since 1970) of a local time, by mktime of that very date, so that a DST
// change between now and then is right.
std::int64_t EpochSecondsOfLocal(const LocalDateTime& time);

inline LocalDate DateOf(const LocalDateTime& time) {
    return {time.year, time.month, time.day};
}

// True for a date on the Gregorian calendar and a time of day from 00:00:00 to 23:59:59.
bool IsExistingDateTime(const LocalDateTime& time);

// Days from `from` to `to`, negative when `to` is earlier. Months outside 1..12 and days beyond
// the month's end count on into the following months, as mktime does; the result saturates at
// the range of int.
int DaysBetween(const LocalDate& from, const LocalDate& to);

// The date `days` days after `date`, normalised to an existing date.
LocalDate AddDays(const LocalDate& date, int days);

// 1 for Monday to 7 for Sunday.
int IsoWeekday(const LocalDate& date);

}  // namespace veltaro
