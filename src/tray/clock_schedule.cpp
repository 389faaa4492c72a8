#include "tray/clock_schedule.h"

#include "platform/clock.h"
#include "tray/clock_picture.h"

namespace veltaro {
namespace {

constexpr std::int64_t kChimeGraceSeconds = 60;
constexpr std::uint64_t kHourlyTrimBytes = 1024 * 1024;
constexpr std::uint64_t kRegularTrimBytes = 3 * 1024 * 1024;

}  // namespace

ClockWake NextClockWake(std::int64_t nowSeconds) {
    const std::tm local = LocalTime(nowSeconds);
    const std::int64_t at = nowSeconds + SecondsUntilClockChanges(local.tm_min, local.tm_sec);
    const std::tm then = LocalTime(at);
    return {at, then.tm_min == 0 && then.tm_sec == 0};
}

std::int64_t NextTopOfHour(std::int64_t nowSeconds) {
    // Counted from the local minute and second, so zones half an hour off UTC chime on their own
    // hour.
    const std::tm local = LocalTime(nowSeconds);
    return nowSeconds - (local.tm_min * 60 + local.tm_sec) + 3600;
}

bool ChimeStillDue(std::int64_t topOfHourSeconds, std::int64_t nowSeconds) {
    return nowSeconds - topOfHourSeconds < kChimeGraceSeconds;
}

bool ShouldTrimMemory(std::uint64_t residentBytes, bool topOfHour, int menuOpenCount) {
    if (menuOpenCount > 0) {
        return false;
    }
    return residentBytes >= (topOfHour ? kHourlyTrimBytes : kRegularTrimBytes);
}

}  // namespace veltaro
