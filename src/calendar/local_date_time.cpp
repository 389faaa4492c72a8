#include "calendar/local_date_time.h"

#include <algorithm>
#include <limits>

#include "calendar/gregorian.h"

namespace veltaro {
namespace {

std::int64_t DayNumber(const LocalDate& date) {
    return DaysFromCivil(date.year, date.month, date.day);
}

int SaturatedInt(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

}  // namespace

std::int64_t EpochSecondsOfLocal(const LocalDateTime& time) {
    std::tm local{};
    local.tm_year = time.year - 1900;
    local.tm_mon = time.month - 1;
    local.tm_mday = time.day;
    local.tm_hour = time.hour;
    local.tm_min = time.minute;
    local.tm_sec = time.second;
    local.tm_isdst = -1;
    return static_cast<std::int64_t>(std::mktime(&local));
}

LocalDateTime LocalDateTimeFromTm(const std::tm& time) {
    return {time.tm_year + 1900, time.tm_mon + 1, time.tm_mday,
            time.tm_hour,        time.tm_min,     time.tm_sec};
}

bool IsExistingDateTime(const LocalDateTime& time) {
    const bool dateExists = time.month >= 1 && time.month <= 12 && time.day >= 1 &&
                            time.day <= GregorianMonthDays(time.year, time.month);
    const bool timeExists = time.hour >= 0 && time.hour <= 23 && time.minute >= 0 &&
                            time.minute <= 59 && time.second >= 0 && time.second <= 59;
    return dateExists && timeExists;
}

int DaysBetween(const LocalDate& from, const LocalDate& to) {
    return SaturatedInt(DayNumber(to) - DayNumber(from));
}

LocalDate AddDays(const LocalDate& date, int days) {
    const CivilDate civil = CivilFromDays(DayNumber(date) + days);
    return {static_cast<int>(civil.year), civil.month, civil.day};
}

int IsoWeekday(const LocalDate& date) {
    // 1970-01-01 was a Thursday: shifted by three days, day 0 is a Monday.
    const std::int64_t fromMonday = DayNumber(date) + 3;
    return static_cast<int>(fromMonday - FloorDiv(fromMonday, 7) * 7) + 1;
}

}  // namespace veltaro
