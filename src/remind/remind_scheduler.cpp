#include "remind/remind_scheduler.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <memory>

#include "platform/problem_report.h"
#include "platform/wall_clock_timer.h"

namespace veltaro {
namespace {

constexpr int kRestorePowerOn = 7;

struct ArmedTimer {
    std::unique_ptr<WallClockTimer> timer;
    const DueReminder* reminder;
};

std::vector<ArmedTimer> ArmTimers(const std::vector<DueReminder>& reminders,
                                  const LocalDateTime& now,
                                  const std::vector<DueReminder>& delivered) {
    std::vector<ArmedTimer> armed;
    for (const DueReminder& reminder : reminders) {
        if (!IsOccurrenceArmed({nullptr, reminder.time, reminder.action}, now) ||
            std::find(delivered.begin(), delivered.end(), reminder) != delivered.end()) {
            continue;
        }
        const bool wake = reminder.action == kRestorePowerOn;
        if (wake && !WakeTimersAvailable()) {
            ReportProblemOnce("wake",
                              "wake-up timers are not available to this process (it "
                              "needs CAP_WAKE_ALARM): Restore(PowerOn) plans will not "
                              "wake the computer");
        }
        auto timer = std::make_unique<WallClockTimer>(wake);
        if (timer->IsOpen() && timer->Arm(EpochSecondsOfLocal(reminder.time))) {
            armed.push_back({std::move(timer), &reminder});
        }
    }
    return armed;
}

}  // namespace

std::vector<DueReminder> DueRemindersOf(const RemindSchedule& schedule) {
    std::vector<DueReminder> reminders;
    reminders.reserve(schedule.size());
    for (const RemindOccurrence& occurrence : schedule) {
        std::string message;
        if (occurrence.plan != nullptr) {
            message = occurrence.plan->GetText();
        }
        reminders.push_back({occurrence.time, occurrence.action, std::move(message)});
    }
    return reminders;
}

RemindScheduler::RemindScheduler(const Clock& clock, Deliver deliver, ClockChanged clockChanged)
    : clock_(clock),
      deliver_(std::move(deliver)),
      clockChanged_(std::move(clockChanged)),
      updateEvent_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

RemindScheduler::~RemindScheduler() {
    Stop();
    if (updateEvent_ >= 0) {
        ::close(updateEvent_);
    }
}

void RemindScheduler::Start(std::vector<DueReminder> reminders) {
    reminders_ = std::move(reminders);
    thread_ = std::thread([this] { Run(); });
}

void RemindScheduler::Update(std::vector<DueReminder> reminders) {
    {
        const std::lock_guard lock(mutex_);
        reminders_ = std::move(reminders);
    }
    const std::uint64_t one = 1;
    (void)::write(updateEvent_, &one, sizeof one);
}

void RemindScheduler::Stop() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    alertDone_.notify_all();
    const std::uint64_t one = 1;
    (void)::write(updateEvent_, &one, sizeof one);
    if (thread_.joinable()) {
        thread_.join();
    }
}

bool RemindScheduler::WaitForAlert() {
    std::unique_lock lock(mutex_);
    alertDone_.wait(lock, [this] { return !alertOpen_ || stopping_; });
    return !stopping_;
}

void RemindScheduler::AlertClosed() {
    {
        const std::lock_guard lock(mutex_);
        alertOpen_ = false;
    }
    alertDone_.notify_all();
}

void RemindScheduler::Run() {
    while (Cycle()) {
    }
}

bool RemindScheduler::Cycle() {
    std::vector<DueReminder> reminders;
    {
        const std::lock_guard lock(mutex_);
        if (stopping_) {
            return false;
        }
        reminders = reminders_;
    }
    const LocalDateTime now = LocalDateTimeFromTm(LocalTime(clock_.NowSeconds()));
    // A reminder delivered in this very second would be armed again and come twice.
    std::erase_if(delivered_, [&](const DueReminder& reminder) { return reminder.time < now; });
    std::vector<ArmedTimer> armed = ArmTimers(reminders, now, delivered_);
    armed_ = armed.size();
    std::vector<pollfd> watched{{updateEvent_, POLLIN, 0}};
    for (const ArmedTimer& entry : armed) {
        watched.push_back({entry.timer->Descriptor(), POLLIN, 0});
    }
    // Alerts come one after another in due order; timers that come due while one is open are
    // collected by the next look, so none of them is lost.
    for (int timeout = -1;; timeout = 0) {
        if (::poll(watched.data(), watched.size(), timeout) <= 0) {
            return true;
        }
        bool clockChanged = false;
        for (std::size_t i = 0; i < armed.size(); ++i) {
            if (watched[i + 1].revents == 0) {
                continue;
            }
            const WallClockTimer::Outcome outcome = armed[i].timer->Read();
            watched[i + 1].fd = -1;  // done with it either way
            clockChanged = clockChanged || outcome == WallClockTimer::Outcome::ClockChanged;
            if (outcome == WallClockTimer::Outcome::Due) {
                delivered_.push_back(*armed[i].reminder);
                {
                    // Open before it is handed over: a close that comes at once is not lost.
                    const std::lock_guard lock(mutex_);
                    alertOpen_ = true;
                }
                deliver_(delivered_.back());
                const std::lock_guard lock(mutex_);
                if (stopping_) {
                    return false;
                }
            }
        }
        if (clockChanged) {
            clockChanged_();
            return true;
        }
        // Reminders that came due (also while an alert was open) are delivered before a new
        // schedule takes over: its rebuild counts them as passed and would never arm them again.
        if (watched[0].revents != 0) {
            std::uint64_t count = 0;
            (void)::read(updateEvent_, &count, sizeof count);
            return true;
        }
    }
}

}  // namespace veltaro
