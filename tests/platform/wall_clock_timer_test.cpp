// The real timerfd: a moment of the wall clock comes due, also one already past.
#include "platform/wall_clock_timer.h"

#include <gtest/gtest.h>
#include <poll.h>

#include <ctime>

namespace veltaro {
namespace {

// The precise wall clock: time() reads a coarse clock that may still show the previous second.
std::int64_t NowSeconds() {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return now.tv_sec;
}

bool BecomesReadable(const WallClockTimer& timer, int milliseconds) {
    pollfd entry{timer.Descriptor(), POLLIN, 0};
    return ::poll(&entry, 1, milliseconds) == 1;
}

TEST(WallClockTimer, ComesDueAtTheAimedMomentAndNotBefore) {
    WallClockTimer timer;
    ASSERT_TRUE(timer.IsOpen());
    EXPECT_EQ(timer.Read(), WallClockTimer::Outcome::NotYet);
    const std::int64_t next = NowSeconds() + 2;
    ASSERT_TRUE(timer.Arm(next));
    EXPECT_FALSE(BecomesReadable(timer, 900));
    ASSERT_TRUE(BecomesReadable(timer, 3000));
    EXPECT_GE(NowSeconds(), next);
    EXPECT_EQ(timer.Read(), WallClockTimer::Outcome::Due);
    EXPECT_EQ(timer.Read(), WallClockTimer::Outcome::NotYet) << "due once, not again";
}

TEST(WallClockTimer, AMomentAlreadyPastIsDueAtOnce) {
    WallClockTimer timer;
    for (const std::int64_t past : {std::int64_t{0}, std::int64_t{1000}}) {
        ASSERT_TRUE(timer.Arm(past));
        ASSERT_TRUE(BecomesReadable(timer, 500)) << past;
        EXPECT_EQ(timer.Read(), WallClockTimer::Outcome::Due);
    }
}

}  // namespace
}  // namespace veltaro
