#include "app/remind/remind_host.h"

#include <QApplication>
#include <algorithm>
#include <cstdlib>

#include "app/remind/remind_dlg.h"
#include "app/remind/remind_info_dlg.h"
#include "platform/problem_report.h"
#include "platform/wall_clock_timer.h"
#include "remind/power_action.h"
#include "remind/remind_file.h"

namespace veltaro {

RemindHost::RemindHost(Setup setup, QObject* parent)
    : QObject(parent),
      setup_(std::move(setup)),
      scheduler_(
          setup_.clock,
          // Scheduler thread: the alert belongs to the UI thread; the scheduler waits for its end,
          // or for the stop.
          [this](const DueReminder& reminder) {
              QMetaObject::invokeMethod(
                  this, [this, reminder] { ShowAlert(reminder); }, Qt::QueuedConnection);
              scheduler_.WaitForAlert();
          },
          [this] { QMetaObject::invokeMethod(this, &RemindHost::Rebuild, Qt::QueuedConnection); }) {
}

std::chrono::milliseconds RemindHost::AlertTickFromEnvironment() {
    const char* value = std::getenv("VELTARO_TEST_ALERT_TICK_MS");
    const long milliseconds = value != nullptr ? std::strtol(value, nullptr, 10) : 0;
    return milliseconds > 0 ? std::chrono::milliseconds(milliseconds) : std::chrono::seconds(1);
}

void RemindHost::Start() {
    scheduler_.Start(DueRemindersOf(setup_.schedule));
    if (dayTimer_.IsOpen() && dayNotifier_ == nullptr) {
        dayNotifier_ = new QSocketNotifier(dayTimer_.Descriptor(), QSocketNotifier::Read, this);
        connect(dayNotifier_, &QSocketNotifier::activated, this, &RemindHost::OnDayTimer);
    }
    AimAtDayAfter(LocalDateTimeFromTm(LocalTime(setup_.clock.NowSeconds())));
}

void RemindHost::Stop() {
    stopped_ = true;
    if (dayNotifier_ != nullptr) {
        dayNotifier_->setEnabled(false);
    }
    scheduler_.Stop();
}

void RemindHost::Rebuild() {
    RebuildAsOf(setup_.clock.NowSeconds());
}

void RemindHost::RebuildAsOf(std::int64_t nowSeconds) {
    const LocalDateTime now = LocalDateTimeFromTm(LocalTime(nowSeconds));
    setup_.schedule = BuildRemindSchedule(setup_.document, now);
    scheduler_.Update(DueRemindersOf(setup_.schedule));
    AimAtDayAfter(now);
    emit scheduleRebuilt();
}

void RemindHost::AimAtDayAfter(const LocalDateTime& now) {
    nextDayAt_ = EpochSecondsOfLocal(NextDayStart(now));
    dayTimer_.Arm(nextDayAt_);
}

void RemindHost::OnDayTimer() {
    switch (dayTimer_.Read()) {
        case WallClockTimer::Outcome::Due:
            // The aimed midnight, not a clock read that may lag behind it, is the new day.
            RebuildAsOf(std::max(setup_.clock.NowSeconds(), nextDayAt_));
            break;
        case WallClockTimer::Outcome::ClockChanged:
            Rebuild();
            break;
        case WallClockTimer::Outcome::NotYet:
            break;
    }
}

void RemindHost::SavePlansAndRebuild() {
    if (!SaveRemindFile(setup_.document, setup_.dataFolder)) {
        ReportProblemOnce("remind-save", "the remind plans could not be saved to " +
                                             RemindFilePath(setup_.dataFolder).string());
    } else {
        ForgetProblem("remind-save");
    }
    Rebuild();
}

bool RemindHost::WatchResume(const QDBusConnection& systemBus) {
    return QDBusConnection(systemBus).connect(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"), this,
        SLOT(onPrepareForSleep(bool)));
}

void RemindHost::onPrepareForSleep(bool starting) {
    if (!starting) {
        Rebuild();
    }
}

// The action is started before the scheduler hears of the end, so that the next alert due comes
// after it.
void RemindHost::ShowAlert(const DueReminder& reminder) {
    if (stopped_) {
        return;  // handed over just before the exit: no alert, and surely no action
    }
    QApplication::beep();
    CQuorvaneRemindInfoDlg alert(reminder, setup_.language, setup_.clock, setup_.alertTick);
    if (alert.exec() == QDialog::Accepted) {
        if (const std::optional<PowerCommand> command = PowerCommandOfAction(reminder.action)) {
            RunPowerCommand(setup_.power, *command);
        }
    }
    scheduler_.AlertClosed();
}

void RemindHost::OpenEditor() {
    if (RemindEditorOpen) {
        return;
    }
    RemindEditorOpen = true;
    CQuorvaneRemindDlg editor(setup_.document, setup_.language, setup_.clock,
                              WakeTimersAvailable());
    connect(&editor, &CQuorvaneRemindDlg::plansChanged, this, &RemindHost::SavePlansAndRebuild);
    connect(this, &RemindHost::scheduleRebuilt, &editor, &CQuorvaneRemindDlg::FillPlanList);
    editor.exec();
    RemindEditorOpen = false;
}

}  // namespace veltaro
