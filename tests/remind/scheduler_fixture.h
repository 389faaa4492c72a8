#pragma once

// The scheduler on real wall-clock timers, with the arming decisions taken at an injected "now"
// that is the real current second.
#include <time.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "fake_clock.h"
#include "remind/remind_scheduler.h"

namespace veltaro::testing {

inline std::int64_t RealNow() {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return now.tv_sec;
}

// Waits up to three seconds for `condition`, as the scheduler thread gets to it.
inline bool Eventually(const std::function<bool()>& condition) {
    for (int wait = 0; wait < 300 && !condition(); ++wait) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return condition();
}

inline DueReminder At(std::int64_t seconds, std::string message, int action = 1) {
    return {LocalDateTimeFromTm(LocalTime(seconds)), action, std::move(message)};
}

// Records what the scheduler delivers; the test decides when each alert closes.
class SchedulerFixture : public ::testing::Test {
protected:
    SchedulerFixture()
        : clock_(RealNow()),
          scheduler_(
              clock_,
              [this](const DueReminder& reminder) {
                  {
                      const std::lock_guard lock(mutex_);
                      delivered_.push_back(reminder.message);
                  }
                  changed_.notify_all();
                  if (holdAlerts_) {
                      scheduler_.WaitForAlert();
                  }
              },
              [this] { ++clockChanges_; }) {}

    // Waits until `count` reminders came, at most `timeout`.
    std::vector<std::string> WaitForDelivered(
        std::size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(3)) {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, timeout, [&] { return delivered_.size() >= count; });
        return delivered_;
    }

    FakeClock clock_;
    bool holdAlerts_ = false;
    std::atomic<int> clockChanges_{0};
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::string> delivered_;
    RemindScheduler scheduler_;
};

}  // namespace veltaro::testing
