#pragma once

#include <cstdint>

#include "platform/clock.h"

namespace veltaro::testing {

// A clock that stands still until the test moves it.
class FakeClock final : public Clock {
public:
    FakeClock(std::int64_t nowSeconds, std::uint64_t tickMs = 0) : now(nowSeconds), tick(tickMs) {}
    std::int64_t NowSeconds() const override { return now; }
    std::uint64_t TickMs() const override { return tick; }

    std::int64_t now;
    std::uint64_t tick;
};

}  // namespace veltaro::testing
