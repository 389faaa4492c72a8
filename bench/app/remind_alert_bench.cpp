// From the due second of a reminder to its alert on screen (the first paint of the alert's
// window), through the real scheduler thread and the queued call into the UI thread. The first
// alert is the process's first window and so also pays for loading the fonts. Runs on the
// display it is given (Xvfb in the tests' manner), else on Qt's offscreen platform. Prints figures.
#include <time.h>

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/remind/remind_host.h"
#include "app/remind/remind_info_dlg.h"
#include "platform/clock.h"
#include "remind/remind_file.h"
#include "remind/remind_plan_edit.h"

namespace {

constexpr int kRounds = 5;

double RealNow() {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// Notes the first paint of an alert and closes it unanswered.
class AlertWatch : public QObject {
public:
    double paintedAt = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* alert = qobject_cast<veltaro::CQuorvaneRemindInfoDlg*>(watched);
        if (alert != nullptr && event->type() == QEvent::Paint && paintedAt == 0) {
            paintedAt = RealNow();
            QTimer::singleShot(0, alert, &QDialog::reject);
        }
        return false;
    }
};

class NoPower final : public veltaro::PowerControl {
public:
    bool Perform(veltaro::PowerCommand) override { return true; }
};

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("DISPLAY") == nullptr) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication application(argc, argv);
    AlertWatch watch;
    application.installEventFilter(&watch);
    const veltaro::SystemClock clock;
    NoPower power;
    const int language = 9;
    std::vector<double> lateMs;
    for (int round = 0; round < kRounds; ++round) {
        veltaro::CTessvarXmlParse document;
        document.LoadXml(veltaro::kDefaultRemindText);
        const std::int64_t dueSecond = clock.NowSeconds() + 2;
        const std::tm due = veltaro::LocalTime(dueSecond);
        veltaro::AppendDatePlan(document, std::to_string(due.tm_year + 1900),
                                std::to_string(due.tm_mon + 1), std::to_string(due.tm_mday), false,
                                1, due.tm_hour, due.tm_min, due.tm_sec, "due");
        veltaro::RemindSchedule schedule;
        veltaro::RemindHost host(
            {document, schedule, "/nonexistent", language, clock, power, std::chrono::seconds(1)});
        host.Rebuild();
        host.Start();
        watch.paintedAt = 0;
        while (watch.paintedAt == 0) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        }
        QApplication::processEvents();
        host.Stop();
        lateMs.push_back((watch.paintedAt - static_cast<double>(dueSecond)) * 1000.0);
        std::printf("due second to the alert on screen: %.1f ms\n", lateMs.back());
    }
    std::printf("at most %.1f ms over %d alerts (%s)\n",
                *std::max_element(lateMs.begin(), lateMs.end()), kRounds,
                qPrintable(QApplication::platformName()));
    return 0;
}
