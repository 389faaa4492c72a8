#pragma once

#include <cstdint>
#include <ctime>

namespace veltaro {

// Time as the logic sees it: the calendar time and the milliseconds since the computer started.
// Tests hand the logic a clock of their own.
class Clock {
public:
    virtual ~Clock() = default;
    // Seconds since 1970-01-01 UTC.
    virtual std::int64_t NowSeconds() const = 0;
    // Milliseconds since boot, suspend included, never wrapping.
    virtual std::uint64_t TickMs() const = 0;
};

// CLOCK_REALTIME and CLOCK_BOOTTIME.
class SystemClock final : public Clock {
public:
    std::int64_t NowSeconds() const override;
    std::uint64_t TickMs() const override;
};

// Local broken-down time of `seconds`, as localtime gives it (TZ honoured).
std::tm LocalTime(std::int64_t seconds);

}  // namespace veltaro
