// How long the main window takes from the show command to its first paint, the first time after
// start-up and on later showings; then how often the UI thread wakes up with the window hidden,
// shown on the live run (which ticks every second) and shown on a past run. Runs on the display
// it is given (xcb), else offscreen. Usage: show_window_bench [showings, default 20]
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "app/command_ids.h"
#include "app/durmet_app.h"
#include "app/durmet_dlg.h"
#include "app/run_history_view.h"
#include "recorder/recorder_test_support.h"
#include "temp_folder.h"

namespace {

using namespace veltaro;

// Notes when the window it watches paints.
class FirstPaint : public QObject {
public:
    bool painted = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted = true;
        }
        return QObject::eventFilter(watched, event);
    }
};

double MillisecondsToFirstPaint(CDurmetDlg& window, FirstPaint& paint) {
    paint.painted = false;
    QElapsedTimer timer;
    timer.start();
    window.OnCommand(kCommandShowMainWindow);
    while (!paint.painted && timer.elapsed() < 5000) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// The voluntary context switches of this process's main thread, the UI thread: each is a wake-up.
long long UiThreadSwitches() {
    std::ifstream status("/proc/thread-self/status");
    const std::string field = "voluntary_ctxt_switches:";
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(field, 0) == 0) {
            return std::atoll(line.c_str() + field.size());
        }
    }
    return 0;
}

// Runs the event loop for `seconds` and gives the UI thread's wake-ups per second (the one timer
// that ends the wait is counted, about 1 / seconds).
double UiWakeUpsPerSecond(int seconds) {
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    const long long before = UiThreadSwitches();
    loop.exec();
    return static_cast<double>(UiThreadSwitches() - before) / seconds;
}

void WriteLogOfRuns(const std::filesystem::path& file, int count) {
    std::vector<RunRecord> runs;
    for (int index = 0; index < count; ++index) {
        runs.push_back(testing::RunStartedAt(1'200'000'000 + index * 86'400LL, 3'600'000));
    }
    testing::WriteBytes(file, testing::BytesOf(runs));
}

}  // namespace

int main(int argc, char** argv) {
    const int showings = argc > 1 ? std::max(2, std::atoi(argv[1])) : 20;
    testing::TempFolder folder;
    ::setenv("XDG_CONFIG_HOME", folder.File("config").c_str(), 1);
    ::setenv("XDG_RUNTIME_DIR", folder.File("runtime").c_str(), 1);
    if (std::getenv("DISPLAY") == nullptr) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);

    constexpr int kLoggedRuns = 10'000;
    WriteLogOfRuns(folder.Path() / "durmet.tm", kLoggedRuns);
    std::filesystem::copy_file(VELTARO_SHIPPED_HOLIDAYS, folder.Path() / "Holiday.xml");
    CDurmetApp app;
    app.DataFolder = folder.Path();
    app.ProgramDirectory = folder.Path().string() + "/";
    CDurmetDlg window(app);
    window.OnInitDialog();
    FirstPaint paint;
    window.installEventFilter(&paint);

    const double first = MillisecondsToFirstPaint(window, paint);
    std::vector<double> later;
    for (int showing = 1; showing < showings; ++showing) {
        window.OnCommand(kCommandHide);
        QApplication::processEvents();
        later.push_back(MillisecondsToFirstPaint(window, paint));
    }
    std::sort(later.begin(), later.end());
    std::printf("Main window, show command to first paint (%s, %d logged runs)\n",
                qPrintable(QApplication::platformName()), kLoggedRuns);
    std::printf("  first showing after start-up  %8.2f ms\n", first);
    std::printf("  later showings: median        %8.2f ms, slowest %8.2f ms of %zu\n",
                later[later.size() / 2], later.back(), later.size());

    constexpr int kIdleSeconds = 10;
    window.OnCommand(kCommandHide);
    QApplication::processEvents();
    const double hidden = UiWakeUpsPerSecond(kIdleSeconds);
    MillisecondsToFirstPaint(window, paint);
    const double live = UiWakeUpsPerSecond(kIdleSeconds);
    window.findChild<RunHistoryView*>()->ShowLastTime();
    const double pastRun = UiWakeUpsPerSecond(kIdleSeconds);
    std::printf("UI thread wake-ups over %d s each\n", kIdleSeconds);
    std::printf("  window hidden                 %8.2f /s\n", hidden);
    std::printf("  shown, live run on view       %8.2f /s\n", live);
    std::printf("  shown, a past run on view     %8.2f /s\n", pastRun);
    window.OnCommand(kCommandHide);
    return 0;
}
