// The run log at scale: how long the program's start-up load and the companion's CSV report take
// for a log of a million runs (48 MB), and how much memory each needs. Prints its figures.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "platform/boot_tag.h"
#include "platform/clock.h"
#include "recorder/record_file.h"
#include "recorder/run_log.h"
#include "temp_folder.h"

namespace {

using namespace veltaro;
using Clock = std::chrono::steady_clock;

constexpr std::size_t kRecords = 1'000'000;

class StillClock final : public veltaro::Clock {
public:
    std::int64_t NowSeconds() const override { return 1'765'000'000; }
    std::uint64_t TickMs() const override { return 60'000; }
};

void WriteLog(const std::filesystem::path& log) {
    std::vector<RunRecordBytes> records(kRecords);
    std::int64_t start = 946'684'800;  // 2000-01-01
    for (RunRecordBytes& bytes : records) {
        RunRecord run;
        run.startTime = StartTimeFromTm(LocalTime(start));
        run.durationMs = 3'600'000 + static_cast<std::int64_t>(&bytes - records.data()) % 7'200'000;
        bytes = SerializeRunRecord(run);
        start += 2'000;
    }
    std::ofstream(log, std::ios::binary)
        .write(reinterpret_cast<const char*>(records.data()),
               static_cast<std::streamsize>(records.size() * kRunRecordSize));
}

long StatusKiB(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0) {
            return std::stol(line.substr(std::string(field).size()));
        }
    }
    return -1;
}

double Milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

void MeasureLoad(const std::filesystem::path& folder) {
    const StillClock clock;
    const long rssBefore = StatusKiB("VmRSS:");
    std::vector<double> times;
    for (int round = 0; round < 5; ++round) {
        const auto begin = Clock::now();
        const LoadedRunLog loaded = LoadRunLog(clock, 0x1234, folder);
        times.push_back(Milliseconds(Clock::now() - begin));
        if (loaded.pastRuns.Count() != kRecords) {
            std::printf("load: read %zu records, not %zu\n", loaded.pastRuns.Count(), kRecords);
        }
    }
    std::sort(times.begin(), times.end());
    const auto readBegin = Clock::now();
    const std::size_t read = ReadRunLog(folder / "durmet.tm").records.size();
    std::printf("read alone: %.1f ms (%zu records)\n", Milliseconds(Clock::now() - readBegin),
                read);
    std::printf(
        "load of %zu records (%.0f MB): best %.1f ms, median %.1f ms, peak memory +%.1f MB\n",
        kRecords, kRecords * kRunRecordSize / 1e6, times.front(), times[times.size() / 2],
        (StatusKiB("VmHWM:") - rssBefore) / 1024.0);
}

void MeasureCsvReport(const std::filesystem::path& folder) {
    const auto begin = Clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, STDOUT_FILENO);
        const std::string dataDir = folder.string();
        ::execl(VELTARO_CLI_PROGRAM, VELTARO_CLI_PROGRAM, "log", "--csv", "--data-dir",
                dataDir.c_str(), nullptr);
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    std::printf("veltaro-cli log --csv of %zu records: %.0f ms, peak memory %.1f MB, exit %d\n",
                kRecords, Milliseconds(Clock::now() - begin), usage.ru_maxrss / 1024.0,
                WEXITSTATUS(status));
}

}  // namespace

int main() {
    const veltaro::testing::TempFolder folder;
    WriteLog(folder.Path() / "durmet.tm");
    MeasureLoad(folder.Path());
    MeasureCsvReport(folder.Path());
}
