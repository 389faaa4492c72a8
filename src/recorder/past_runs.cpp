#include "recorder/past_runs.h"

#include <algorithm>
#include <limits>

namespace veltaro {

PastRuns::PastRuns(RunRecords logged, std::vector<RunRecord> unwritten)
    : logged_(std::move(logged)), unwritten_(std::move(unwritten)) {
    cumulative_.reserve(Count() + 1);
    std::int64_t sum = 0;
    cumulative_.push_back(sum);
    for (std::size_t index = 0; index < Count(); ++index) {
        const RunRecord& record = (*this)[index];
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
    return !IsPlausibleRunRecord((*this)[index]);
}

std::int64_t PastRuns::CumulativeMsBefore(std::size_t index) const {
    return cumulative_[std::min(index, Count())];
}

}  // namespace veltaro
