// What the resident program costs while the user is not looking at it: wake-ups per second
// (voluntary context switches of all its threads), CPU share and resident memory, next to a bare
// Qt Widgets program; then the same with a tray host (the tests' StatusNotifierWatcher on an X
// server and session bus of its own), with the icon and tooltip pushes to the tray and the time
// from start to the icon's registration. Usage: idle_cost_bench [seconds, default 30]
#include <signal.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "desktop_doubles.h"
#include "program_sandbox.h"

namespace {

namespace fs = std::filesystem;
using veltaro::testing::ProgramSandbox;
namespace doubles = veltaro::testing;

struct Sample {
    long long voluntarySwitches = 0;
    double cpuSeconds = 0;
};

long long StatusField(const fs::path& status, const std::string& field) {
    std::ifstream in(status);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(field + ":", 0) == 0) {
            return std::atoll(line.c_str() + field.size() + 1);
        }
    }
    return 0;
}

Sample Measure(pid_t pid) {
    Sample sample;
    const fs::path process = fs::path("/proc") / std::to_string(pid);
    for (const fs::directory_entry& task : fs::directory_iterator(process / "task")) {
        sample.voluntarySwitches += StatusField(task.path() / "status", "voluntary_ctxt_switches");
    }
    std::ifstream stat(process / "stat");
    std::string text((std::istreambuf_iterator<char>(stat)), {});
    // Fields after the command name, which may hold blanks, start behind its closing bracket.
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    long long utime = 0;
    long long stime = 0;
    for (int index = 3; fields >> field; ++index) {
        if (index == 14) {
            utime = std::atoll(field.c_str());
        } else if (index == 15) {
            stime = std::atoll(field.c_str());
            break;
        }
    }
    sample.cpuSeconds =
        static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
    return sample;
}

struct Figures {
    double wakeUpsPerSecond;
    double cpuPercent;
    double residentMiB;
};

Figures Observe(pid_t pid, int seconds) {
    const Sample before = Measure(pid);
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const Sample after = Measure(pid);
    const fs::path status = fs::path("/proc") / std::to_string(pid) / "status";
    return {static_cast<double>(after.voluntarySwitches - before.voluntarySwitches) / seconds,
            100.0 * (after.cpuSeconds - before.cpuSeconds) / seconds,
            static_cast<double>(StatusField(status, "VmRSS")) / 1024.0};
}

void Print(const char* name, const Figures& figures) {
    std::printf("%-28s %8.2f wake-ups/s %8.3f %% of one core %8.1f MiB resident\n", name,
                figures.wakeUpsPerSecond, figures.cpuPercent, figures.residentMiB);
}

// The pushes of a new icon or tooltip by the item `service` that the watcher logged.
int PushesBy(const fs::path& watcherLog, const std::string& service) {
    int pushes = 0;
    for (const std::string& line : doubles::LinesOf(watcherLog)) {
        if (line == "NewIcon " + service || line == "NewToolTip " + service) {
            ++pushes;
        }
    }
    return pushes;
}

// Starts `program` in the tray desktop; the milliseconds until its icon registered, or -1.
double StartWithTray(ProgramSandbox& sandbox, pid_t& pid, const std::vector<std::string>& desktop,
                     const fs::path& watcherLog, std::string& service) {
    const std::size_t before = doubles::LinesOf(watcherLog).size();
    const auto start = std::chrono::steady_clock::now();
    pid = sandbox.Start(desktop);
    const std::string line = doubles::WaitForLine(watcherLog, "register ", before);
    if (line.empty()) {
        return -1;
    }
    service = line.substr(9);
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

int MeasureWithTrayHost(int seconds) {
    veltaro::testing::TempFolder folder;
    const doubles::PrivateDisplay display;
    const doubles::PrivateBus bus(folder.Path(), "session");
    const fs::path watcherLog = folder.Path() / "watcher.log";
    const std::unique_ptr<doubles::ChildProcess> watcher =
        doubles::StartSniWatcher(bus.Address(), watcherLog);
    if (doubles::WaitForLine(watcherLog, "ready").empty()) {
        std::fprintf(stderr, "the tray host did not start\n");
        return 1;
    }
    const std::vector<std::string> desktop = {"QT_QPA_PLATFORM=xcb", "DISPLAY=" + display.Name(),
                                              "DBUS_SESSION_BUS_ADDRESS=" + bus.Address()};
    ProgramSandbox resident;
    ProgramSandbox bare(BARE_QT_TRAY_PROGRAM);
    pid_t residentPid = 0;
    pid_t barePid = 0;
    std::string residentItem;
    std::string bareItem;
    const double residentRegistered =
        StartWithTray(resident, residentPid, desktop, watcherLog, residentItem);
    const double bareRegistered = StartWithTray(bare, barePid, desktop, watcherLog, bareItem);
    if (residentRegistered < 0 || bareRegistered < 0) {
        std::fprintf(stderr, "an icon did not register\n");
        return 1;
    }
    std::this_thread::sleep_for(std::chrono::seconds(2));
    const int pushesBefore = PushesBy(watcherLog, residentItem);
    std::printf("\nWith a tray host over %d s (xcb on Xvfb, StatusNotifierItem)\n", seconds);
    Figures residentFigures{};
    Figures bareFigures{};
    std::thread bareObserver([&] { bareFigures = Observe(barePid, seconds); });
    residentFigures = Observe(residentPid, seconds);
    bareObserver.join();
    const int pushes = PushesBy(watcherLog, residentItem) - pushesBefore;
    Print("veltaro", residentFigures);
    Print("bare Qt tray program", bareFigures);
    std::printf("%-28s %8.1f MiB\n", "resident memory above bare",
                residentFigures.residentMiB - bareFigures.residentMiB);
    std::printf("%-28s %8.2f per minute (%d in %d s)\n", "icon and tooltip pushes",
                pushes * 60.0 / seconds, pushes, seconds);
    std::printf("%-28s %8.0f ms (bare Qt program: %.0f ms)\n", "start to icon registered",
                residentRegistered, bareRegistered);
    ::kill(residentPid, SIGTERM);
    ::kill(barePid, SIGTERM);
    resident.WaitForExit(residentPid);
    bare.WaitForExit(barePid);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    ProgramSandbox resident;
    ProgramSandbox bare(BARE_QT_PROGRAM);
    const pid_t residentPid = resident.Start();
    const pid_t barePid = bare.Start();
    if (!resident.WaitUntilRunning(residentPid)) {
        std::fprintf(stderr, "veltaro did not start\n");
        return 1;
    }
    // Let both settle: start-up work is not idle cost.
    std::this_thread::sleep_for(std::chrono::seconds(2));
    std::printf("Idle cost over %d s (offscreen platform)\n", seconds);
    Figures residentFigures{};
    Figures bareFigures{};
    std::thread bareObserver([&] { bareFigures = Observe(barePid, seconds); });
    residentFigures = Observe(residentPid, seconds);
    bareObserver.join();
    Print("veltaro", residentFigures);
    Print("bare Qt Widgets program", bareFigures);
    std::printf("%-28s %8.1f MiB\n", "resident memory above bare",
                residentFigures.residentMiB - bareFigures.residentMiB);
    ::kill(residentPid, SIGTERM);
    ::kill(barePid, SIGTERM);
    resident.WaitForExit(residentPid);
    bare.WaitForExit(barePid);
    return MeasureWithTrayHost(seconds);
}
