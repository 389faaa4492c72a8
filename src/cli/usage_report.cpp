#include "cli/usage_report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace veltaro {
namespace {

std::string DateText(const LocalDate& date) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

std::string Bar(std::int64_t seconds, std::int64_t busiest, std::size_t columns) {
    if (busiest <= 0) {
        return {};
    }
    // Eighths of a column, so that short bars still differ.
    const auto eighths = static_cast<std::size_t>(
        std::llround(static_cast<double>(seconds) / static_cast<double>(busiest) *
                     static_cast<double>(columns * 8)));
    static const char* const kPartial[] = {"", "▏", "▎", "▍", "▌", "▋", "▊", "▉"};
    std::string bar;
    for (std::size_t full = 0; full < eighths / 8; ++full) {
        bar += "█";
    }
    return bar + kPartial[eighths % 8];
}

}  // namespace

void WriteUsageLines(std::span<const UsageBucket> buckets, std::size_t barColumns,
                     std::ostream& out) {
    std::int64_t busiest = 0;
    for (const UsageBucket& bucket : buckets) {
        busiest = std::max(busiest, bucket.seconds);
    }
    for (const UsageBucket& bucket : buckets) {
        char hours[32];
        std::snprintf(hours, sizeof hours, "%6.1f h", static_cast<double>(bucket.seconds) / 3600);
        out << DateText(bucket.start) << ' ' << hours;
        if (barColumns > 0) {
            out << ' ' << Bar(bucket.seconds, busiest, barColumns);
        }
        out << '\n';
    }
}

void WriteUsageCsv(std::span<const UsageBucket> buckets, std::ostream& out) {
    out << "period_start,seconds\n";
    for (const UsageBucket& bucket : buckets) {
        out << DateText(bucket.start) << ',' << bucket.seconds << '\n';
    }
}

void WriteUsageSummary(const UsageSummary& summary, int language, std::ostream& out) {
    for (const std::string& line : UsageSummaryLines(summary, language)) {
        out << line << '\n';
    }
}

}  // namespace veltaro
