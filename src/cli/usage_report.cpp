#include "cli/usage_report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "platform/clock.h"
#include "platform/interface_language.h"
#include "recorder/history_text.h"

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

struct SummaryTexts {
    const char* runs;
    const char* damaged;
    const char* first;
    const char* last;
    const char* total;
    const char* average;
    const char* longest;
    const char* shortest;
    const char* share;
};

constexpr SummaryTexts kEnglish{"Runs: ",
                                " (damaged records skipped: ",
                                "First startup: ",
                                "Last startup: ",
                                "Total run time: ",
                                "Average run time: ",
                                "Longest run: ",
                                "Shortest run: ",
                                "Running share of the time since the first startup: "};
constexpr SummaryTexts kChinese{"启动次数: ", "（跳过损坏记录: ", "首次开机: ",
                                "最近开机: ", "总运行时间: ",     "平均运行时间: ",
                                "最长运行: ", "最短运行: ",       "首次开机以来的运行时间占比: "};

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
    const SummaryTexts& texts = ShowsChineseTexts(language) ? kChinese : kEnglish;
    out << texts.runs << summary.runs;
    if (summary.damaged > 0) {
        out << texts.damaged << summary.damaged << (ShowsChineseTexts(language) ? "）" : ")");
    }
    out << '\n';
    if (summary.firstStartup && summary.lastStartup) {
        out << texts.first << DateTimeText(LocalTime(*summary.firstStartup)) << '\n'
            << texts.last << DateTimeText(LocalTime(*summary.lastStartup)) << '\n';
    }
    out << texts.total << SpanText(summary.totalMs, language) << '\n'
        << texts.average << SpanText(summary.averageMs, language) << '\n'
        << texts.longest << SpanText(summary.longestMs, language) << '\n'
        << texts.shortest << SpanText(summary.shortestMs, language) << '\n';
    char share[16];
    std::snprintf(share, sizeof share, "%.1f%%", summary.runningShare * 100);
    out << texts.share << share << '\n';
}

}  // namespace veltaro
