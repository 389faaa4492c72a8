#include "recorder/past_runs.h"

#include <algorithm>
#include <limits>

namespace veltaro {

PastRuns::PastRuns(std::vector<RunRecord> records, std::size_t unwrittenCount)
    : records_(std::move(records)), unwritten_(std::min(unwrittenCount, records_.size())) {
    cumulative_.reserve(records_.size() + 1);
    std::int64_t sum = 0;
    cumulative_.push_back(sum);
    for (const RunRecord& record : records_) {
        if (IsPlausibleRunRecord(record)) {
            // Saturates rather than wraps: only millions of century-long runs could get there.
            if (__builtin_add_overflow(sum, record.durationMs, &sum)) {
                sum = std::numeric_limits<std::int64_t>::max();
            }
        } else {
            ++damaged_;
        }
        cumulative_.push_back(sum);
    }
}

bool PastRuns::IsDamaged(std::size_t index) const {
    return !IsPlausibleRunRecord(records_[index]);
}

std::int64_t PastRuns::CumulativeMsBefore(std::size_t index) const {
    return cumulative_[std::min(index, records_.size())];
}

}  // namespace veltaro
