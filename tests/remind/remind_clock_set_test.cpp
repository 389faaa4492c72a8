// Setting the wall clock cancels every armed wall-clock timer of the machine, so this runs alone:
// a scheduler of another test running meanwhile would see its timers cancelled too.
#include "scheduler_fixture.h"

namespace veltaro {
namespace {

using namespace std::chrono_literals;
using testing::At;
using testing::Eventually;
using testing::SchedulerFixture;

// Setting the wall clock (to the time it shows: nothing really moves) cancels every armed timer
// and asks for a rebuild. Needs CAP_SYS_TIME.
TEST_F(SchedulerFixture, ASetWallClockAsksForARebuild) {
    scheduler_.Start({At(clock_.now + 3600, "later")});
    std::this_thread::sleep_for(100ms);
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    if (::clock_settime(CLOCK_REALTIME, &now) != 0) {
        GTEST_SKIP() << "the wall clock can't be set here";
    }
    EXPECT_TRUE(Eventually([&] { return clockChanges_ == 1; }));
}
}  // namespace
}  // namespace veltaro
