// What the resident program costs while the user is not looking at it: wake-ups per second
// (voluntary context switches of all its threads), CPU share and resident memory, next to a bare
// Qt Widgets program. Usage: idle_cost_bench [seconds, default 30]
#include <signal.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "program_sandbox.h"

namespace {

namespace fs = std::filesystem;
using veltaro::testing::ProgramSandbox;

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
    return 0;
}
