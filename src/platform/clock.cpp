#include "platform/clock.h"

#include <time.h>

namespace veltaro {

std::int64_t SystemClock::NowSeconds() const {
    return static_cast<std::int64_t>(::time(nullptr));
}

std::uint64_t SystemClock::TickMs() const {
    timespec now{};
    ::clock_gettime(CLOCK_BOOTTIME, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * 1000u +
           static_cast<std::uint64_t>(now.tv_nsec / 1'000'000);
}

std::tm LocalTime(std::int64_t seconds) {
    const time_t value = static_cast<time_t>(seconds);
    std::tm result{};
    ::localtime_r(&value, &result);
    return result;
}

}  // namespace veltaro
