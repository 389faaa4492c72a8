#include "calendar/calendar.h"

#include <algorithm>
#include <iterator>

#include "calendar/gregorian.h"
#include "calendar/lunar_year_table.h"

namespace veltaro {

namespace {

using namespace lunar_table;

// Lunar 1900-1-1.
constexpr std::int64_t kLunarEpoch = DaysFromCivil(1900, 1, 31);

// The table covers exactly 1900-01-31 .. 2100-02-08.
static_assert(kYearStart.back() == DaysFromCivil(2100, 2, 9) - kLunarEpoch);

bool IsExistingDate(int year, int month, int day) {
    return month >= 1 && month <= 12 && day >= 1 && day <= GregorianMonthDays(year, month);
}

// The month and day of the 0-based `dayOfYear` within lunar year `year`, which must be shorter
// than the year. The leap month is visited right after the month it follows.
LunarDate LunarDateInYear(int year, int dayOfYear) {
    const int leapMonth = LeapMonthOf(year);
    const int leapMonthDays = LeapMonthDaysOf(year);
    int month = 1;
    bool leap = false;
    for (int length = MonthDaysOf(year, month); dayOfYear >= length;
         length = leap ? leapMonthDays : MonthDaysOf(year, month)) {
        dayOfYear -= length;
        if (!leap && month == leapMonth) {
            leap = true;
        } else {
            leap = false;
            ++month;
        }
    }
    return {year, month, dayOfYear + 1, leap};
}

}  // namespace

int CCalendar::DayDiff(std::uint16_t year, std::uint16_t month, std::uint16_t day,
                       std::uint16_t refYear, std::uint16_t refMonth, std::uint16_t refDay) const {
    return static_cast<int>(DaysFromCivil(year, month, day) -
                            DaysFromCivil(refYear, refMonth, refDay));
}

int CCalendar::SolarMonthDays(int year, int month) const {
    return GregorianMonthDays(year, month);
}

int CCalendar::LunarYearDays(int year) const {
    return IsTableYear(year) ? YearDaysOf(year) : 0;
}

std::optional<LunarDate> CCalendar::SolarToLunar(int year, int month, int day) const {
    if (!IsExistingDate(year, month, day)) {
        return std::nullopt;
    }
    const std::int64_t dayNumber = DaysFromCivil(year, month, day) - kLunarEpoch;
    if (dayNumber < 0 || dayNumber >= kYearStart.back()) {
        return std::nullopt;
    }
    const auto nextYearStart = std::upper_bound(kYearStart.begin(), kYearStart.end(), dayNumber);
    const auto yearIndex = std::distance(kYearStart.begin(), nextYearStart) - 1;
    const auto dayOfYear =
        static_cast<int>(dayNumber - kYearStart[static_cast<std::size_t>(yearIndex)]);
    return LunarDateInYear(kFirstYear + static_cast<int>(yearIndex), dayOfYear);
}

}  // namespace veltaro
