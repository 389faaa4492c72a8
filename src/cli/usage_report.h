#pragma once

#include <cstddef>
#include <ostream>
#include <span>

#include "recorder/usage.h"

namespace veltaro {

// One line per period, oldest first: "YYYY-MM-DD  12.5 h" and, when `barColumns` is above 0, a
// bar of block characters scaled so that the busiest period fills that many columns.
void WriteUsageLines(std::span<const UsageBucket> buckets, std::size_t barColumns,
                     std::ostream& out);

// "period_start,seconds", then a row per period.
void WriteUsageCsv(std::span<const UsageBucket> buckets, std::ostream& out);

// The summary of the whole history, a line per figure, in the interface language.
void WriteUsageSummary(const UsageSummary& summary, int language, std::ostream& out);

}  // namespace veltaro
