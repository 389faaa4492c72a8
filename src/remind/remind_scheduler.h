#pragma once

#include <sys/types.h>

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "calendar/local_date_time.h"
#include "platform/clock.h"
#include "remind/remind_schedule.h"

namespace veltaro {

// An occurrence as the alert needs it: a copy, so that no rebuild of the schedule can leave an
// alert pointing at a freed entry.
struct DueReminder {
    LocalDateTime time;
    int action = 0;
    std::string message;
    bool operator==(const DueReminder&) const = default;
};

// The reminders of a schedule, with each plan's message.
std::vector<DueReminder> DueRemindersOf(const RemindSchedule& schedule);

// The scheduler thread: arms one wall-clock timer per occurrence that has not passed (a wake-up
// timer for Restore(PowerOn) where the system allows it), sleeps in poll until a timer is due or
// the schedule changes, and hands each due reminder to `deliver`, one at a time in due order.
// `deliver` runs on the scheduler thread and returns when the alert is over: it should wait with
// WaitForAlert, which Stop also ends. An idle scheduler takes no wake-ups at all.
class RemindScheduler {
public:
    using Deliver = std::function<void(const DueReminder&)>;
    // The wall clock was set, or the computer resumed: the owner rebuilds the schedule (open
    // fields resolve from today's date) and calls Update. Runs on the scheduler thread.
    using ClockChanged = std::function<void()>;

    RemindScheduler(const Clock& clock, Deliver deliver, ClockChanged clockChanged);
    ~RemindScheduler();
    RemindScheduler(const RemindScheduler&) = delete;
    RemindScheduler& operator=(const RemindScheduler&) = delete;

    // Starts the thread with `reminders` (sorted by time).
    void Start(std::vector<DueReminder> reminders);
    // Replaces the reminders and re-arms.
    void Update(std::vector<DueReminder> reminders);
    // Ends the thread, also while an alert is open; waits for it.
    void Stop();

    // For `deliver`: waits until the alert it handed over is closed (AlertClosed) or the
    // scheduler stops. False when stopped.
    bool WaitForAlert();
    // The alert has closed (from any thread).
    void AlertClosed();

    // How many timers the current cycle armed.
    std::size_t ArmedCount() const { return armed_.load(); }

private:
    void Run();
    // One cycle; false when the thread is to end.
    bool Cycle();

    const Clock& clock_;
    Deliver deliver_;
    ClockChanged clockChanged_;
    int updateEvent_ = -1;  // eventfd: a new schedule, or the stop
    std::mutex mutex_;
    std::condition_variable alertDone_;
    std::vector<DueReminder> reminders_;
    bool stopping_ = false;
    bool alertOpen_ = false;
    std::atomic<std::size_t> armed_{0};
    // Scheduler thread only: the reminders delivered lately.
    std::vector<DueReminder> delivered_;
    std::thread thread_;
};

}  // namespace veltaro
