#pragma once

#include <cstdint>

namespace veltaro {

// The next moment the tray has something new to show: the clock's picture or minute changes, and
// at a local top of the hour the chime is due.
struct ClockWake {
    std::int64_t atSeconds = 0;  // seconds since 1970-01-01 UTC
    bool topOfHour = false;
};

// The first wake after `nowSeconds` (local time, TZ honoured).
ClockWake NextClockWake(std::int64_t nowSeconds);

// The first local top of the hour after `nowSeconds`.
std::int64_t NextTopOfHour(std::int64_t nowSeconds);

// A chime is only announced near its hour: a computer that slept through it wakes up later, and
// then the hour that was missed is not worth a notification.
bool ChimeStillDue(std::int64_t topOfHourSeconds, std::int64_t nowSeconds);

// Whether to give freed memory back now: at the top of the hour from 1 MiB, otherwise from 3 MiB,
// and never while a menu is open (the trim would stall its drawing).
bool ShouldTrimMemory(std::uint64_t residentBytes, bool topOfHour, int menuOpenCount);

}  // namespace veltaro
