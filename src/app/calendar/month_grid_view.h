#pragma once

#include <QRect>
#include <QWidget>
#include <optional>

#include "calendar/month_grid.h"

namespace veltaro {

// The perpetual calendar's month: a header row of weekday names over six rows of day cells,
// painted from the month grid model (the same one `veltaro-cli cal --cells` prints), so the cell
// rules have one home. The sizes are fixed pixels.
class MonthGridView : public QWidget {
    Q_OBJECT

public:
    static constexpr int kCellWidth = 68;
    static constexpr int kCellHeight = 34;
    static constexpr int kHeaderHeight = 30;
    static constexpr int kGridWidth = kCellWidth * kGridColumns;                 // 476
    static constexpr int kGridHeight = kHeaderHeight + kCellHeight * kGridRows;  // 234

    explicit MonthGridView(QWidget* parent = nullptr);

    // Shows another month, or the same one anew; painted in full.
    void ShowMonth(MonthGrid grid, int language);
    // Moves the selection within the shown month: the cells that lose and gain it are painted at
    // once, the whole grid at the next paint.
    void MoveSelection(MonthGrid grid);

    const MonthGrid& Grid() const { return grid_; }
    int Language() const { return language_; }

    // Where a cell is drawn; row -1 is the header.
    static QRect CellRect(int row, int column);
    // The day a point selects: the header row counts as the first row of days. Empty outside the
    // grid and on a blank cell.
    std::optional<int> DayAt(const QPoint& point) const;

signals:
    void dayClicked(int day);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void DrawCell(QPainter& painter, CellKind kind, const QString& text, const QRect& cell) const;
    QRect SelectedCellRect() const;

    MonthGrid grid_;
    int language_ = 0;
};

}  // namespace veltaro
