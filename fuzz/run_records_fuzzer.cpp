// The run log and heartbeat files as they may be found: any bytes. Every record is read, checked,
// shown as the history shows it and counted into the usage figures.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "recorder/history_text.h"
#include "recorder/record_file.h"
#include "recorder/usage.h"

namespace {

std::string ScratchFile() {
    static const std::string file = [] {
        char pattern[] = "/tmp/veltaro-fuzz-XXXXXX";
        const int fd = ::mkstemp(pattern);
        ::close(fd);
        return std::string(pattern);
    }();
    return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string file = ScratchFile();
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    (void)veltaro::ReadHeartbeatRecord(file);
    (void)veltaro::ReadPendingRuns(file);
    veltaro::RunLogRead log = veltaro::ReadRunLog(file);
    const veltaro::PastRuns past(std::move(log.records));
    veltaro::RunRecord live;
    live.startTime = {0, 0, 12, 1, 0, 124, 1, 0, 0};
    for (int ordinal = 1; ordinal <= static_cast<int>(past.Count()) + 1; ++ordinal) {
        for (const int language : {4, 9}) {
            (void)veltaro::HistoryLinesOfRun(past, live, ordinal, language);
        }
    }
    const veltaro::UsageTimeline timeline(past, live);
    (void)timeline.ByPeriod(veltaro::UsagePeriod::kMonth, 12, 1'704'110'400);
    (void)veltaro::UsageSummaryLines(timeline.Summary(1'704'110'400), 9);
    return 0;
}
