// What the process manager costs with many extra processes running (500 unless told otherwise):
// a refresh with nothing changed, through the window's list and count line, both when the census
// lets it skip the pass and when it makes one; the window's CPU share while it is open and
// visible, on a quiet system and while other programs start and end 20 times a second; and the
// time from a process's start to its row in the list.
// Runs on the display it is given, else on Qt's offscreen platform.
// Usage: process_window_bench [extra processes, default 500] [seconds, default 10]
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <QApplication>
#include <QDBusConnection>
#include <QEventLoop>
#include <QLabel>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/process/file_manager.h"
#include "app/process/process_dlg.h"
#include "platform/interface_language.h"
#include "process/proc_process_source.h"
#include "process/process_list.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

pid_t StartSleeper() {
    char program[] = "/bin/sleep";
    char seconds[] = "600";
    char* argv[] = {program, seconds, nullptr};
    pid_t pid = -1;
    ::posix_spawn(&pid, program, nullptr, nullptr, argv, environ);
    return pid;
}

// A process of its own that starts a short-lived program every 50 ms until it is ended, like a
// build does, so that its work is not counted as the window's.
pid_t StartChurn() {
    const pid_t churn = ::fork();
    if (churn == 0) {
        for (;;) {
            char program[] = "/bin/true";
            char* argv[] = {program, nullptr};
            pid_t pid = -1;
            if (::posix_spawn(&pid, program, nullptr, nullptr, argv, environ) == 0) {
                ::waitpid(pid, nullptr, 0);
            }
            ::usleep(50'000);
        }
    }
    return churn;
}

// The running system without its census: every refresh makes a pass over the ids.
class CensusBlindSource final : public veltaro::ProcessSource {
public:
    std::optional<veltaro::TaskCensus> Census() const override { return std::nullopt; }
    std::vector<int> ProcessIds() const override { return proc_.ProcessIds(); }
    std::optional<veltaro::ProcessDescription> Describe(int pid) const override {
        return proc_.Describe(pid);
    }
    std::vector<veltaro::ModuleEntry> Modules(int pid) const override { return proc_.Modules(pid); }
    std::vector<veltaro::ThreadEntry> Threads(int pid) const override { return proc_.Threads(pid); }
    bool HoldsOpen(int pid, const std::string& path) const override {
        return proc_.HoldsOpen(pid, path);
    }

private:
    veltaro::ProcProcessSource proc_;
};

void End(pid_t pid) {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
}

double CpuSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double Milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

double Percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1))];
}

void RunEventLoopFor(std::chrono::milliseconds duration) {
    QEventLoop loop;
    QTimer::singleShot(duration, &loop, &QEventLoop::quit);
    loop.exec();
}

void MeasureRefresh(veltaro::CQuorvaneProcessDlg& window, const char* kind) {
    constexpr int kRefreshes = 2000;
    std::vector<double> times;
    for (int refresh = 0; refresh < kRefreshes; ++refresh) {
        const Clock::time_point start = Clock::now();
        window.OnTimer();
        times.push_back(Milliseconds(Clock::now() - start));
    }
    std::printf(
        "refresh with nothing changed, %s (%d refreshes): median %.3f ms, 90%% %.3f ms, "
        "99%% %.3f ms\n",
        kind, kRefreshes, Percentile(times, 0.5), Percentile(times, 0.9), Percentile(times, 0.99));
}

// Other programs start and end meanwhile; each change of the list costs the window a repaint.
void MeasureCpuShare(veltaro::CQuorvaneProcessDlg& window, int seconds, const char* system) {
    int changes = 0;
    QAbstractItemModel* rows = window.ProcessList->model();
    const auto count = [&changes] { ++changes; };
    const QMetaObject::Connection inserted =
        QObject::connect(rows, &QAbstractItemModel::rowsInserted, count);
    const QMetaObject::Connection removed =
        QObject::connect(rows, &QAbstractItemModel::rowsRemoved, count);
    const double cpuBefore = CpuSeconds();
    const Clock::time_point start = Clock::now();
    RunEventLoopFor(std::chrono::seconds(seconds));
    const double wall = Milliseconds(Clock::now() - start) / 1000.0;
    const double cpu = CpuSeconds() - cpuBefore;
    QObject::disconnect(inserted);
    QObject::disconnect(removed);
    std::printf(
        "window open and visible for %.1f s, %s: %.2f %% of one core, while %d rows came "
        "or went\n",
        wall, system, 100.0 * cpu / wall, changes);
}

void MeasureTimeToRow(veltaro::CQuorvaneProcessDlg& window) {
    constexpr int kTrials = 20;
    std::vector<double> delays;
    for (int trial = 0; trial < kTrials; ++trial) {
        // Start at a moment unrelated to the timer's phase.
        RunEventLoopFor(std::chrono::milliseconds(40 + trial * 7 % 31));
        const Clock::time_point started = Clock::now();
        const pid_t pid = StartSleeper();
        const QString pidText = QString::fromStdString(veltaro::PidCellText(pid));
        QEventLoop loop;
        const QMetaObject::Connection watch = QObject::connect(
            window.ProcessList->model(), &QAbstractItemModel::rowsInserted, &loop, [&] {
                const int last = window.ProcessList->topLevelItemCount() - 1;
                if (last >= 0 && window.ProcessList->topLevelItem(last)->text(1) == pidText) {
                    delays.push_back(Milliseconds(Clock::now() - started));
                    loop.quit();
                }
            });
        QTimer::singleShot(2000, &loop, &QEventLoop::quit);
        loop.exec();
        QObject::disconnect(watch);
        End(pid);
    }
    std::printf(
        "new process to its row (%zu of %d seen): median %.1f ms, max %.1f ms "
        "(%.2f ticks of 31 ms)\n",
        delays.size(), kTrials, Percentile(delays, 0.5), Percentile(delays, 1.0),
        Percentile(delays, 1.0) / 31.0);
}

}  // namespace

int main(int argc, char** argv) {
    const int extra = argc > 1 ? std::atoi(argv[1]) : 500;
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 10;
    if (std::getenv("DISPLAY") == nullptr) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    }
    QApplication application(argc, argv);
    std::vector<pid_t> sleepers;
    for (int started = 0; started < extra; ++started) {
        sleepers.push_back(StartSleeper());
    }

    const veltaro::ProcProcessSource source;
    veltaro::FileManager fileManager(QDBusConnection(QStringLiteral("no bus")));
    veltaro::CQuorvaneProcessDlg window(veltaro::kLanguageEnglish, source, fileManager);
    window.show();
    RunEventLoopFor(std::chrono::milliseconds(200));
    std::printf("platform %s, %d extra processes, %d rows listed, %s\n",
                qPrintable(QGuiApplication::platformName()), extra,
                window.ProcessList->topLevelItemCount(), qPrintable(window.CountLine->text()));

    MeasureRefresh(window, "pass skipped by the census");
    {
        const CensusBlindSource blindSource;
        veltaro::CQuorvaneProcessDlg blindWindow(veltaro::kLanguageEnglish, blindSource,
                                                 fileManager);
        blindWindow.show();
        RunEventLoopFor(std::chrono::milliseconds(200));
        window.hide();
        MeasureRefresh(blindWindow, "with a pass over the ids");
        blindWindow.hide();
        window.show();
        RunEventLoopFor(std::chrono::milliseconds(200));
    }
    MeasureCpuShare(window, seconds, "quiet system");
    const pid_t churn = StartChurn();
    MeasureCpuShare(window, seconds, "20 program starts a second");
    End(churn);
    MeasureTimeToRow(window);

    for (const pid_t pid : sleepers) {
        End(pid);
    }
    return 0;
}
