// The scheduler on real timers: what an idle scheduler with 1000 armed plans costs in wake-ups,
// how long a rebuild and re-arm of 1000 plans takes, and how late a due reminder reaches the
// hand-over to the alert. Prints its figures.
#include <dirent.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>

#include "platform/clock.h"
#include "remind/remind_file.h"
#include "remind/remind_plan_edit.h"
#include "remind/remind_schedule.h"
#include "remind/remind_scheduler.h"

namespace {

using namespace std::chrono_literals;
using Steady = std::chrono::steady_clock;

constexpr int kPlanCount = 1000;

// Context switches of every thread but the calling one: a thread that sleeps costs none.
long OtherThreadsSwitches() {
    long total = 0;
    const std::string self = std::to_string(::gettid());
    DIR* tasks = ::opendir("/proc/self/task");
    while (const dirent* task = ::readdir(tasks)) {
        if (task->d_name[0] == '.' || self == task->d_name) {
            continue;
        }
        std::ifstream status(std::string("/proc/self/task/") + task->d_name + "/status");
        for (std::string line; std::getline(status, line);) {
            if (line.find("ctxt_switches:") != std::string::npos) {
                total += std::stol(line.substr(line.find(':') + 1));
            }
        }
    }
    ::closedir(tasks);
    return total;
}

// 1000 date plans (a file's worth: 500 date plans and 500 weekly ones) that all lie ahead.
void FillPlansAhead(veltaro::CTessvarXmlParse& root, int year) {
    for (int i = 0; i < kPlanCount / 2; ++i) {
        veltaro::AppendDatePlan(root, std::to_string(year + 1), std::to_string(i % 12 + 1),
                                std::to_string(i % 28 + 1), false, 1, i % 24, i % 60, 0, "ahead");
        veltaro::AppendWeeklyPlan(root, 127, 1, 23, 59, 59, "weekly");
    }
}

double Milliseconds(Steady::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

}  // namespace

int main() {
    const veltaro::SystemClock clock;
    const veltaro::LocalDateTime now =
        veltaro::LocalDateTimeFromTm(veltaro::LocalTime(clock.NowSeconds()));
    veltaro::CTessvarXmlParse root;
    root.LoadXml(veltaro::kDefaultRemindText);
    FillPlansAhead(root, now.year);

    // The wall-clock moment of the hand-over, in seconds since the epoch.
    std::atomic<double> delivered{0};
    veltaro::RemindScheduler scheduler(
        clock,
        [&](const veltaro::DueReminder&) {
            timespec real{};
            ::clock_gettime(CLOCK_REALTIME, &real);
            delivered = static_cast<double>(real.tv_sec) + static_cast<double>(real.tv_nsec) / 1e9;
        },
        [] {});
    scheduler.Start(veltaro::DueRemindersOf(veltaro::BuildRemindSchedule(root, now)));
    while (scheduler.ArmedCount() == 0) {
        std::this_thread::sleep_for(1ms);
    }
    const std::size_t armed = scheduler.ArmedCount();
    std::this_thread::sleep_for(500ms);  // until the thread sleeps in poll

    // Idle: nothing due for the next 5 s.
    const long before = OtherThreadsSwitches();
    std::this_thread::sleep_for(5s);
    std::printf("idle scheduler, %zu timers armed: %ld wake-ups in 5 s\n", armed,
                OtherThreadsSwitches() - before);

    // Rebuild and re-arm, alternating with a plan more so that each re-arm can be seen.
    constexpr int kRounds = 20;
    Steady::duration total{};
    Steady::duration worst{};
    for (int round = 0; round < kRounds; ++round) {
        if (round % 2 == 0) {
            veltaro::AppendDatePlan(root, std::to_string(now.year + 1), "1", "1", false, 1, 1, 0, 0,
                                    "one more");
        } else {
            veltaro::DeleteRemindPlan(root, veltaro::RemindPlanKind::Date, kPlanCount / 2);
        }
        const std::size_t target = armed + (round % 2 == 0 ? 1 : 0);
        const Steady::time_point start = Steady::now();
        const veltaro::LocalDateTime at =
            veltaro::LocalDateTimeFromTm(veltaro::LocalTime(clock.NowSeconds()));
        scheduler.Update(veltaro::DueRemindersOf(veltaro::BuildRemindSchedule(root, at)));
        while (scheduler.ArmedCount() != target) {
            std::this_thread::sleep_for(20us);  // leaves the core to the scheduler thread
        }
        const Steady::duration took = Steady::now() - start;
        total += took;
        worst = std::max(worst, took);
    }
    std::printf("rebuild and re-arm of %d plans: %.2f ms on average, %.2f ms at most\n", kPlanCount,
                Milliseconds(total) / kRounds, Milliseconds(worst));

    // Due: a plan at the next whole second; from that second to the hand-over.
    const std::int64_t dueSecond = clock.NowSeconds() + 2;
    const std::tm due = veltaro::LocalTime(dueSecond);
    veltaro::AppendDatePlan(root, std::to_string(due.tm_year + 1900),
                            std::to_string(due.tm_mon + 1), std::to_string(due.tm_mday), false, 1,
                            due.tm_hour, due.tm_min, due.tm_sec, "due");
    scheduler.Update(veltaro::DueRemindersOf(veltaro::BuildRemindSchedule(
        root, veltaro::LocalDateTimeFromTm(veltaro::LocalTime(clock.NowSeconds())))));
    while (delivered.load() == 0) {
        std::this_thread::sleep_for(1ms);
    }
    std::printf("due second to hand-over to the alert: %.2f ms\n",
                (delivered.load() - static_cast<double>(dueSecond)) * 1000.0);
    scheduler.Stop();
    return 0;
}
