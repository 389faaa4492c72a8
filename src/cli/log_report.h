#pragma once

#include <cstdint>
#include <filesystem>
#include <ostream>

#include "platform/clock.h"
#include "platform/locale_language.h"
#include "recorder/past_runs.h"
#include "recorder/run_record.h"

namespace veltaro {

struct LogOptions {
    std::filesystem::path dataFolder;
    bool csv = false;
    bool summary = false;  // the figures of the whole history instead of the runs
    int language = kLanguageEnglish;
};

// Per run the five history lines, a blank line between runs; the live run last. Streamed: a log
// of any length costs no more memory than its records.
void WriteTextReport(const PastRuns& pastRuns, const RunRecord& liveRun, int language,
                     std::ostream& out);

// A header, then one row per run with local times and the run's status (logged, pending,
// damaged, live); the live run's shutdown is empty, and so are the times of a damaged record.
void WriteCsvReport(const PastRuns& pastRuns, const RunRecord& liveRun, std::ostream& out);

// The report of `log`: the history of `options.dataFolder` as the next start would see it, the
// live run last, or its summary. Writes nothing to the folder; says on `err` how many damaged
// records it skipped. Returns the exit status.
int ReportRunLog(const LogOptions& options, const Clock& clock, std::uint32_t currentBootTag,
                 std::ostream& out, std::ostream& err);

}  // namespace veltaro
