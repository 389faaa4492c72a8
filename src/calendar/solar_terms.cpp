#include <array>
#include <string_view>

#include "calendar/calendar.h"
#include "calendar/gregorian.h"

namespace veltaro {

namespace {

struct SolarTerm {
    std::string_view name;
    // Minutes after term 0 of 1900 (1900-01-06 02:05:00 UTC).
    int minutes;
};

constexpr std::array<SolarTerm, 24> kSolarTerms = {{
    {"小寒", 0},      {"大寒", 21208},  {"立春", 42467},  {"雨水", 63836},  {"惊蛰", 85337},
    {"春分", 107014}, {"清明", 128867}, {"谷雨", 150921}, {"立夏", 173149}, {"小满", 195551},
    {"芒种", 218072}, {"夏至", 240693}, {"小暑", 263343}, {"大暑", 285989}, {"立秋", 308563},
    {"处暑", 331033}, {"白露", 353350}, {"秋分", 375494}, {"寒露", 397447}, {"霜降", 419210},
    {"立冬", 440795}, {"小雪", 462224}, {"大雪", 483532}, {"冬至", 504758},
}};

// The mean tropical year, in seconds.
constexpr double kTropicalYearSeconds = 31556925.9747;
// Seconds from 1900-01-06 02:05:00 UTC to 1970-01-01 00:00:00 UTC.
constexpr double kTermEpochBefore1970 = 2208549300.0;
constexpr std::int64_t kSecondsPerDay = 86400;

bool IsTerm(int term) {
    return term >= 0 && term < static_cast<int>(kSolarTerms.size());
}

}  // namespace

std::string CCalendar::SolarTermName(int term) const {
    return IsTerm(term) ? std::string(kSolarTerms[static_cast<std::size_t>(term)].name)
                        : std::string();
}

std::optional<std::int64_t> CCalendar::SolarTermInstant(int year, int term) const {
    if (!IsTerm(term)) {
        return std::nullopt;
    }
    // The order of the operations is part of the result: the day of a term near midnight depends
    // on the rounding of each step.
    double seconds = kSolarTerms[static_cast<std::size_t>(term)].minutes * 60.0 +
                     (static_cast<double>(year) - 1900.0) * kTropicalYearSeconds;
    seconds = seconds - kTermEpochBefore1970;
    return static_cast<std::int64_t>(seconds);
}

int CCalendar::SolarTermDay(int year, int term) const {
    const std::optional<std::int64_t> instant = SolarTermInstant(year, term);
    if (!instant) {
        return 0;
    }
    return CivilFromDays(FloorDiv(*instant, kSecondsPerDay)).day;
}

}  // namespace veltaro
