#include "platform/wall_clock_timer.h"

#include <sys/timerfd.h>

#include <cerrno>
#include <ctime>

namespace veltaro {

WallClockTimer::WallClockTimer()
    : fd_(::timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC)) {}

bool WallClockTimer::Arm(std::int64_t epochSeconds) {
    itimerspec due{};
    // Zero would disarm: a moment at or before the epoch is simply due at once.
    due.it_value.tv_sec = epochSeconds > 0 ? static_cast<time_t>(epochSeconds) : 1;
    return ::timerfd_settime(fd_.Get(), TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &due,
                             nullptr) == 0;
}

WallClockTimer::Outcome WallClockTimer::Read() {
    std::uint64_t expirations = 0;
    const ssize_t got = ::read(fd_.Get(), &expirations, sizeof expirations);
    if (got == static_cast<ssize_t>(sizeof expirations)) {
        return Outcome::Due;
    }
    return got < 0 && errno == ECANCELED ? Outcome::ClockChanged : Outcome::NotYet;
}

}  // namespace veltaro
