#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "recorder/run_record.h"

namespace veltaro {

// The past runs as the history shows them: the records of the log in their order, then the runs
// still waiting to be written to it. Damaged records keep their place, so the ordinals of the runs
// after them never move, but count for nothing in the cumulative time.
class PastRuns {
public:
    PastRuns() : PastRuns(RunRecords{}) {}
    // The runs of the log, then `unwritten`, the runs that are not in it yet. Kept apart, so that
    // a large log is never copied to make room for them.
    explicit PastRuns(RunRecords logged, std::vector<RunRecord> unwritten = {});

    std::size_t Count() const { return logged_.size() + unwritten_.size(); }
    const RunRecord& operator[](std::size_t index) const {
        return index < logged_.size() ? logged_[index] : unwritten_[index - logged_.size()];
    }

    bool IsDamaged(std::size_t index) const;
    bool IsUnwritten(std::size_t index) const { return index >= logged_.size(); }
    std::size_t DamagedCount() const { return damaged_; }
    std::size_t UnwrittenCount() const { return unwritten_.size(); }

    // The run times of the undamaged runs before run `index` (0-based; Count() for all of them).
    std::int64_t CumulativeMsBefore(std::size_t index) const;

private:
    RunRecords logged_;
    std::vector<RunRecord> unwritten_;
    // cumulative_[i]: the run times of runs 0..i-1; computed once, so every lookup is O(1).
    std::vector<std::int64_t, HugePageAllocator<std::int64_t>> cumulative_;
    std::size_t damaged_ = 0;
};

}  // namespace veltaro
