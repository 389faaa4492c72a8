// The scheduler on real wall-clock timers, with the arming decisions taken at an injected "now"
// that is the real current second.
#include "scheduler_fixture.h"

namespace veltaro {
namespace {

using namespace std::chrono_literals;
using testing::At;
using testing::Eventually;
using testing::RealNow;
using testing::SchedulerFixture;

TEST_F(SchedulerFixture, ArmsOnlyWhatHasNotPassedAndExists) {
    const std::int64_t now = clock_.now;
    DueReminder impossible = At(now + 60, "31 February");
    impossible.time.month = 2;
    impossible.time.day = 31;
    scheduler_.Start({At(now - 1, "a second ago"),
                      {{0, 0, 0, 8, 0, 0}, 1, "no weekday"},
                      impossible,
                      At(now, "now"),
                      At(now + 3600, "in an hour")});

    EXPECT_EQ(WaitForDelivered(1), (std::vector<std::string>{"now"}));
    // The next cycle arms the hour ahead only: now is not armed again.
    EXPECT_TRUE(Eventually([&] { return scheduler_.ArmedCount() == 1; }));
    scheduler_.Update({});
    EXPECT_TRUE(Eventually([&] { return scheduler_.ArmedCount() == 0; }));
    EXPECT_EQ(WaitForDelivered(2, 100ms).size(), 1u);
}

TEST_F(SchedulerFixture, RemindersDueTogetherComeOneAfterAnotherInOrder) {
    holdAlerts_ = true;
    const std::int64_t now = clock_.now;
    scheduler_.Start({At(now, "first"), At(now, "second"), At(now + 1, "third")});

    EXPECT_EQ(WaitForDelivered(1), (std::vector<std::string>{"first"}));
    std::this_thread::sleep_for(1500ms);  // the third comes due while the first is still open
    EXPECT_EQ(WaitForDelivered(1).size(), 1u) << "never two alerts at once";
    scheduler_.AlertClosed();
    EXPECT_EQ(WaitForDelivered(2), (std::vector<std::string>{"first", "second"}));
    scheduler_.AlertClosed();
    EXPECT_EQ(WaitForDelivered(3), (std::vector<std::string>{"first", "second", "third"}));
    scheduler_.AlertClosed();
}

TEST_F(SchedulerFixture, StopEndsTheThreadAlsoWhileAnAlertIsOpen) {
    holdAlerts_ = true;
    scheduler_.Start({At(clock_.now, "open")});
    ASSERT_EQ(WaitForDelivered(1).size(), 1u);

    const auto begin = std::chrono::steady_clock::now();
    scheduler_.Stop();
    EXPECT_LT(std::chrono::steady_clock::now() - begin, 1s);
}

TEST_F(SchedulerFixture, AnUpdateWhileAnAlertIsOpenTakesEffectAfterIt) {
    holdAlerts_ = true;
    const std::int64_t now = clock_.now;
    scheduler_.Start({At(now, "open"), At(now + 3600, "dropped")});
    ASSERT_EQ(WaitForDelivered(1).size(), 1u);

    clock_.now = RealNow();
    scheduler_.Update({At(clock_.now, "replacement")});
    scheduler_.AlertClosed();

    EXPECT_EQ(WaitForDelivered(2), (std::vector<std::string>{"open", "replacement"}));
    scheduler_.AlertClosed();
}

// A rebuild while an alert is open (a resume, a set clock) must not lose a reminder that came
// due meanwhile: the new schedule counts it as passed.
TEST_F(SchedulerFixture, AReminderDueWhileAnAlertIsOpenSurvivesAnUpdate) {
    holdAlerts_ = true;
    const std::int64_t now = clock_.now;
    scheduler_.Start({At(now, "open"), At(now + 1, "due meanwhile")});
    ASSERT_EQ(WaitForDelivered(1).size(), 1u);
    std::this_thread::sleep_for(1500ms);

    clock_.now = RealNow();
    scheduler_.Update({At(clock_.now + 3600, "later")});
    scheduler_.AlertClosed();

    EXPECT_EQ(WaitForDelivered(2), (std::vector<std::string>{"open", "due meanwhile"}));
    scheduler_.AlertClosed();
    EXPECT_TRUE(Eventually([&] { return scheduler_.ArmedCount() == 1; })) << "the new schedule";
    EXPECT_EQ(WaitForDelivered(3, 100ms).size(), 2u);
}

TEST_F(SchedulerFixture, AWakeUpPlanFiresAlsoWithoutWakeUpTimers) {
    scheduler_.Start({At(clock_.now, "restore", 7)});
    EXPECT_EQ(WaitForDelivered(1), (std::vector<std::string>{"restore"}));
}

}  // namespace
}  // namespace veltaro
