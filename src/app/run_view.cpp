#include "app/run_view.h"

#include "platform/interface_language.h"

namespace veltaro {

std::optional<RunViewContent> RunViewOf(const PastRuns& pastRuns, const RunRecord& currentRun,
                                        int viewedRun, int language) {
    std::optional<HistoryLines> lines =
        HistoryLinesOfRun(pastRuns, currentRun, viewedRun, language);
    if (!lines) {
        return std::nullopt;
    }
    const int live = LiveRunOrdinal(pastRuns);
    return RunViewContent{std::move(*lines), viewedRun == live, viewedRun > 1, viewedRun < live};
}

HistoryCaptions HistoryCaptionsFor(int language) {
    if (ShowsChineseTexts(language)) {
        return {"上一次(&L)",           "下一次(&N)",   "本次(&T)",   "关闭(&C)",
                "作者: Veltaro 工作室", "选择一次运行", "使用统计..."};
    }
    return {"&Last Time",   "&Next Time", "&This Time", "&Close", "Author: Veltaro Studio",
            "Choose a run", "Usage..."};
}

}  // namespace veltaro
