#pragma once

#include <cstdint>

#include "platform/file_descriptor.h"

namespace veltaro {

// A timer aimed at a moment of the wall clock (timerfd on CLOCK_REALTIME). Unlike a timer that
// counts down, it is due at the aimed moment also after a suspend, and a change of the wall clock
// makes it report so, so that its owner can aim again.
class WallClockTimer {
public:
    enum class Outcome {
        Due,           // the aimed moment has come
        ClockChanged,  // the wall clock was set; the timer is disarmed
        NotYet,        // nothing to read (spurious wake-up)
    };

    WallClockTimer();
    bool IsOpen() const { return fd_.IsOpen(); }
    // Readable when the timer is due or the clock changed; for a poll or a socket notifier.
    int Descriptor() const { return fd_.Get(); }

    // Aims at `epochSeconds` (seconds since 1970-01-01 UTC); a moment already past is due at once.
    bool Arm(std::int64_t epochSeconds);
    // Reads what happened; call when the descriptor is readable.
    Outcome Read();

private:
    FileDescriptor fd_;
};

}  // namespace veltaro
