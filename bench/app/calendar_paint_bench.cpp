// The perpetual calendar's paints with the shipped holiday file, on Qt's offscreen platform: a
// full paint of a month (the model and every pixel of the grid), and a click until the new
// selection is painted, then until the whole grid is painted again.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <cstdio>
#include <cstdlib>

#include "app/calendar/month_grid_view.h"
#include "app/calendar/quorvane_calendar_dlg.h"
#include "platform/clock.h"
#include "xml/tessvar_xml_parse.h"

namespace {

using veltaro::MonthGridView;

constexpr int kChinese = 4;

const veltaro::CTessvarXmlParse& ShippedHolidays() {
    static veltaro::CTessvarXmlParse root;
    static const bool loaded = root.LoadFile(VELTARO_SHIPPED_HOLIDAY_FILE);
    if (!loaded) {
        std::fprintf(stderr, "the shipped holiday file did not load\n");
        std::exit(1);
    }
    return root;
}

// One iteration per month of 2024 in turn: the grid model, then the paint into an image.
void BM_FullPaintOfAMonth(benchmark::State& state) {
    MonthGridView view;
    QImage picture(view.size(), QImage::Format_RGB32);
    int month = 1;
    for (auto _ : state) {
        view.ShowMonth(*veltaro::BuildMonthGrid(ShippedHolidays(), 2024, month, 10, kChinese),
                       kChinese);
        QPainter painter(&picture);
        view.render(&painter);
        month = month % 12 + 1;
    }
    state.SetLabel("model + 49 cells, Chinese");
}
BENCHMARK(BM_FullPaintOfAMonth)->Unit(benchmark::kMicrosecond);

void ReleaseOn(QWidget& grid, QPoint point) {
    QMouseEvent release(QEvent::MouseButtonRelease, point, grid.mapToGlobal(point), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&grid, &release);
}

// A click on the shown window alternates between two days; `fullPaint` also waits for the full
// paint that follows the selection's.
void ClickBenchmark(benchmark::State& state, bool fullPaint) {
    const veltaro::SystemClock clock;
    const int language = kChinese;
    veltaro::CQuorvaneCalendarDlg window(ShippedHolidays(), language, clock);
    window.show();
    QApplication::processEvents();
    const QPoint days[] = {MonthGridView::CellRect(2, 2).center(),
                           MonthGridView::CellRect(3, 4).center()};
    int next = 0;
    for (auto _ : state) {
        ReleaseOn(*window.Grid, days[next]);
        if (fullPaint) {
            QApplication::processEvents();
        } else {
            state.PauseTiming();
            QApplication::processEvents();
            state.ResumeTiming();
        }
        next = 1 - next;
    }
}

void BM_ClickToSelectedCell(benchmark::State& state) {
    ClickBenchmark(state, false);
    state.SetLabel("two cells at once");
}
BENCHMARK(BM_ClickToSelectedCell)->Unit(benchmark::kMicrosecond);

void BM_ClickToFullGrid(benchmark::State& state) {
    ClickBenchmark(state, true);
    state.SetLabel("then the whole grid");
}
BENCHMARK(BM_ClickToFullGrid)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
