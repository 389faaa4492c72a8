#pragma once

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <span>

#include "platform/clock.h"
#include "platform/locale_language.h"
#include "recorder/run_summary.h"

namespace veltaro {

struct LogOptions {
    std::filesystem::path dataFolder;
    bool csv = false;
    int language = kLanguageEnglish;
};

// Per run the five history lines, a blank line between runs.
void WriteTextReport(std::span<const RunSummary> runs, int language, std::ostream& out);

// A header, then one row per run with local times; the live run's shutdown is empty.
void WriteCsvReport(std::span<const RunSummary> runs, std::ostream& out);

// The report of `log`: the history of `options.dataFolder` as the next start would see it, the
// live run last. Writes nothing to the folder. Returns the exit status.
int ReportRunLog(const LogOptions& options, const Clock& clock, std::uint32_t currentBootTag,
                 std::ostream& out, std::ostream& err);

}  // namespace veltaro
