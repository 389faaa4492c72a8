#include "recorder/history_text.h"

#include <cstdio>

namespace veltaro {
namespace {

struct HistoryTexts {
    const char* startupLabel;
    const char* shutdownLabel;
    const char* unknownShutdown;
    const char* runTimeLabel;
    const char* cumulativeLabel;
    // Hours, minutes, seconds, then the same span as days and hours.
    const char* spanFormat;
    const char* damagedRecord;
    const char* unwrittenNote;
};

constexpr HistoryTexts kEnglish{
    "Startup Time: ",
    "Shutdown Time: ",
    "Shutdown Time: Unknown",
    "Run Time: ",
    "Cumulative Time: ",
    "%lld Hours %02lld Minutes %02lld Seconds  (Sum:%lld Days %02lld Hours)",
    "damaged record",
    " (not yet written to the log)",
};

constexpr HistoryTexts kChinese{
    "开机时间: ",     "关机时间: ",
    "关机时间: 未知", "运行时间: ",
    "累积时间: ",     "%lld 小时 %02lld 分 %02lld 秒  (合计:%lld 天 %02lld 小时)",
    "记录已损坏",     "（尚未写入记录文件）",
};

const HistoryTexts& TextsFor(int language) {
    return ShowsChineseTexts(language) ? kChinese : kEnglish;
}

template <class... Args>
std::string Printf(const char* format, Args... args) {
    const int length = std::snprintf(nullptr, 0, format, args...);
    if (length < 0) {
        return {};
    }
    std::string text(static_cast<std::size_t>(length), '\0');
    std::snprintf(text.data(), text.size() + 1, format, args...);
    return text;
}

}  // namespace

std::string DateTimeText(const std::tm& time, char dateSeparator) {
    const bool inRange = time.tm_year >= -1900 && time.tm_year <= 8099 && time.tm_mon >= 0 &&
                         time.tm_mon <= 11 && time.tm_mday >= 0 && time.tm_mday <= 99 &&
                         time.tm_hour >= 0 && time.tm_hour <= 99 && time.tm_min >= 0 &&
                         time.tm_min <= 99 && time.tm_sec >= 0 && time.tm_sec <= 99;
    if (!inRange) {
        // Fields out of their range must not overflow: add in a wider type.
        return Printf("%04lld%c%02lld%c%02d %02d:%02d:%02d", time.tm_year + 1900LL, dateSeparator,
                      time.tm_mon + 1LL, dateSeparator, time.tm_mday, time.tm_hour, time.tm_min,
                      time.tm_sec);
    }
    // By hand: the companion formats two of these per run for logs of a million runs.
    char text[] = "0000/00/00 00:00:00";
    const auto put = [&text](int at, int value, int width) {
        for (int digit = width - 1; digit >= 0; --digit, value /= 10) {
            text[at + digit] = static_cast<char>('0' + value % 10);
        }
    };
    put(0, time.tm_year + 1900, 4);
    put(5, time.tm_mon + 1, 2);
    put(8, time.tm_mday, 2);
    put(11, time.tm_hour, 2);
    put(14, time.tm_min, 2);
    put(17, time.tm_sec, 2);
    text[4] = text[7] = dateSeparator;
    return text;
}

std::string SpanText(std::int64_t milliseconds, int language) {
    const long long seconds = milliseconds / 1000;
    const long long hours = seconds / 3600;
    return Printf(TextsFor(language).spanFormat, hours, seconds / 60 % 60, seconds % 60, hours / 24,
                  hours % 24);
}

std::string OrdinalCaption(int ordinal, int language) {
    if (ShowsChineseTexts(language)) {
        return Printf("第 %d 次启动", ordinal);
    }
    switch (ordinal) {
        case 1:
            return "The 1st startup";
        case 2:
            return "The 2nd startup";
        case 3:
            return "The 3rd startup";
        default:
            return Printf("The %dth startup", ordinal);
    }
}

std::string StartupLine(const StartTime& start, int language) {
    return TextsFor(language).startupLabel + DateTimeText(TmFromStartTime(start));
}

std::string ShutdownLine(const std::optional<std::tm>& shutdown, int language) {
    const HistoryTexts& texts = TextsFor(language);
    if (!shutdown) {
        return texts.unknownShutdown;
    }
    return texts.shutdownLabel + DateTimeText(*shutdown);
}

std::string RunTimeLine(std::int64_t durationMs, int language) {
    return TextsFor(language).runTimeLabel + SpanText(durationMs, language);
}

std::string CumulativeLine(std::int64_t cumulativeMs, int language) {
    return TextsFor(language).cumulativeLabel + SpanText(cumulativeMs, language);
}

HistoryLines HistoryLinesOf(const RunSummary& run, int language) {
    const HistoryTexts& texts = TextsFor(language);
    std::string caption = OrdinalCaption(run.ordinal, language);
    if (run.unwritten) {
        caption += texts.unwrittenNote;
    }
    if (run.damaged) {
        return {std::move(caption), texts.startupLabel + std::string(texts.damagedRecord),
                texts.unknownShutdown, texts.runTimeLabel + std::string(texts.damagedRecord),
                CumulativeLine(run.cumulativeMs, language)};
    }
    const std::optional<std::tm> shutdown =
        run.live ? std::nullopt : std::optional<std::tm>(ShutdownTimeOf(run.record));
    return {std::move(caption), StartupLine(run.record.startTime, language),
            ShutdownLine(shutdown, language), RunTimeLine(run.record.durationMs, language),
            CumulativeLine(run.cumulativeMs, language)};
}

std::optional<HistoryLines> HistoryLinesOfRun(const PastRuns& pastRuns, const RunRecord& currentRun,
                                              int ordinal, int language) {
    const std::optional<RunSummary> run = SummaryOfRun(pastRuns, currentRun, ordinal);
    if (!run) {
        return std::nullopt;
    }
    return HistoryLinesOf(*run, language);
}

}  // namespace veltaro
