#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "recorder/run_record.h"

namespace veltaro {

// The past runs as the history shows them: the records of the log in their order, then the runs
// still waiting to be written to it. Damaged records keep their place, so the ordinals of the runs
// after them never move, but count for nothing in the cumulative time.
class PastRuns {
public:
    PastRuns() : PastRuns(std::vector<RunRecord>{}) {}
    // `records` ends with `unwrittenCount` runs that are not in the log yet.
    explicit PastRuns(std::vector<RunRecord> records, std::size_t unwrittenCount = 0);

    std::size_t Count() const { return records_.size(); }
    std::span<const RunRecord> Records() const { return records_; }
    const RunRecord& operator[](std::size_t index) const { return records_[index]; }

    bool IsDamaged(std::size_t index) const;
    bool IsUnwritten(std::size_t index) const { return index + unwritten_ >= records_.size(); }
    std::size_t DamagedCount() const { return damaged_; }
    std::size_t UnwrittenCount() const { return unwritten_; }

    // The run times of the undamaged runs before run `index` (0-based; Count() for all of them).
    std::int64_t CumulativeMsBefore(std::size_t index) const;

private:
    std::vector<RunRecord> records_;
    // cumulative_[i]: the run times of runs 0..i-1; computed once, so every lookup is O(1).
    std::vector<std::int64_t> cumulative_;
    std::size_t unwritten_ = 0;
    std::size_t damaged_ = 0;
};

}  // namespace veltaro
