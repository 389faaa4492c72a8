#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QSocketNotifier>
#include <chrono>
#include <filesystem>

#include "platform/clock.h"
#include "platform/power_control.h"
#include "platform/wall_clock_timer.h"
#include "remind/remind_schedule.h"
#include "remind/remind_scheduler.h"
#include "xml/tessvar_xml_parse.h"

namespace veltaro {

// The reminders of the running program: the scheduler thread over the main window's schedule,
// the alert of each due reminder with its action, the plan editor, and the rebuilds after a
// change of the plans, a set wall clock, a resume from suspend and at each local midnight. Lives
// on the UI thread.
class RemindHost : public QObject {
    Q_OBJECT

public:
    struct Setup {
        CTessvarXmlParse& document;
        RemindSchedule& schedule;
        std::filesystem::path dataFolder;
        const int& language;
        const Clock& clock;
        PowerControl& power;
        // The alert's countdown step: a second, unless VELTARO_TEST_ALERT_TICK_MS shortens it.
        std::chrono::milliseconds alertTick;
    };

    // The scheduler thread ends with the host at the latest.
    explicit RemindHost(Setup setup, QObject* parent = nullptr);

    // The countdown step of the alert: a second, or what a test sets in VELTARO_TEST_ALERT_TICK_MS.
    static std::chrono::milliseconds AlertTickFromEnvironment();

    // Starts the scheduler on the schedule as built.
    void Start();
    // Ends the scheduler thread, also while an alert is open (the exit closes the alert).
    void Stop();
    // Rebuilds the schedule as of now and re-arms the scheduler; the next rebuild is due at the
    // next local midnight.
    void Rebuild();
    // Follows logind's PrepareForSleep on `systemBus`: a resume rebuilds.
    bool WatchResume(const QDBusConnection& systemBus);
    // The plan editor, modal; once at a time.
    void OpenEditor();

signals:
    // The schedule was built again; an open editor shows the new occurrences.
    void scheduleRebuilt();

private slots:
    void onPrepareForSleep(bool starting);

private:
    void ShowAlert(const DueReminder& reminder);
    void SavePlansAndRebuild();
    // Rebuilds as of `nowSeconds` and aims the day timer at the following midnight.
    void RebuildAsOf(std::int64_t nowSeconds);
    void AimAtDayAfter(const LocalDateTime& now);
    void OnDayTimer();

    Setup setup_;
    bool stopped_ = false;
    RemindScheduler scheduler_;
    // The next local midnight; a plain timer, as a new day is no reason to wake the computer.
    WallClockTimer dayTimer_;
    QSocketNotifier* dayNotifier_ = nullptr;
    std::int64_t nextDayAt_ = 0;
};

}  // namespace veltaro
