#pragma once

#include <optional>
#include <string>

#include "recorder/history_text.h"
#include "recorder/past_runs.h"
#include "recorder/run_record.h"

namespace veltaro {

// What the history panel shows for the run on view: its lines, whether it is the live run, and
// which way the user may step from it.
struct RunViewContent {
    HistoryLines lines;
    bool live = false;
    bool canStepBack = false;     // "Last Time"
    bool canStepForward = false;  // "Next Time"
};

// The history's own captions in one language.
struct HistoryCaptions {
    std::string lastTime;
    std::string nextTime;
    std::string thisTime;
    std::string close;
    std::string authorCredit;
    std::string trackbar;
    std::string usage;  // the link to the usage window
};

// Runs are numbered from 1; the one after the past runs is the live run.
inline int LiveRunOrdinal(const PastRuns& pastRuns) {
    return static_cast<int>(pastRuns.Count()) + 1;
}

// Run `viewedRun` of `pastRuns` followed by `currentRun` (a snapshot of the live run); empty
// outside 1..LiveRunOrdinal.
std::optional<RunViewContent> RunViewOf(const PastRuns& pastRuns, const RunRecord& currentRun,
                                        int viewedRun, int language);

HistoryCaptions HistoryCaptionsFor(int language);

}  // namespace veltaro
