#pragma once

#include <cstdint>

namespace veltaro {

// Proleptic Gregorian day arithmetic shared by the day counts, the lunar conversion and the
// solar-term dates. Everything is constexpr so that the lunar tables can be checked against it
// at compile time.

constexpr bool IsGregorianLeapYear(std::int64_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

constexpr std::int64_t FloorDiv(std::int64_t value, std::int64_t divisor) {
    const std::int64_t quotient = value / divisor;
    return (value % divisor != 0 && (value < 0) != (divisor < 0)) ? quotient - 1 : quotient;
}

// A year and month 1..12. Month numbers outside 1..12 count on into the neighbouring years
// (13 is January of the next year, 0 December of the one before), as mktime does.
struct YearMonth {
    std::int64_t year;
    int month;
};

constexpr YearMonth NormalizedYearMonth(std::int64_t year, std::int64_t month) {
    const std::int64_t yearsOver = FloorDiv(month - 1, 12);
    return {year + yearsOver, static_cast<int>(month - 1 - yearsOver * 12 + 1)};
}

constexpr int GregorianMonthDays(std::int64_t year, std::int64_t month) {
    const YearMonth normalized = NormalizedYearMonth(year, month);
    switch (normalized.month) {
        case 2:
            return IsGregorianLeapYear(normalized.year) ? 29 : 28;
        case 4:
        case 6:
        case 9:
        case 11:
            return 30;
        default:
            return 31;
    }
}

// Days from 1970-01-01 to the date. The month is normalised as above and the day counts on from
// the month's first day, so day 0 is the last day of the month before.
constexpr std::int64_t DaysFromCivil(std::int64_t year, std::int64_t month, std::int64_t day) {
    const YearMonth normalized = NormalizedYearMonth(year, month);
    // Counting from March puts the leap day at the end of the counted year.
    const std::int64_t marchYear = normalized.year - (normalized.month <= 2 ? 1 : 0);
    const std::int64_t era = FloorDiv(marchYear, 400);
    const std::int64_t yearOfEra = marchYear - era * 400;
    const std::int64_t monthFromMarch = (normalized.month + 9) % 12;
    const std::int64_t dayOfYear = (153 * monthFromMarch + 2) / 5;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468 + (day - 1);
}

struct CivilDate {
    std::int64_t year;
    int month;
    int day;
};

constexpr CivilDate CivilFromDays(std::int64_t daysSince1970) {
    const std::int64_t shifted = daysSince1970 + 719468;
    const std::int64_t era = FloorDiv(shifted, 146097);
    const std::int64_t dayOfEra = shifted - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    const int month =
        static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

}  // namespace veltaro
