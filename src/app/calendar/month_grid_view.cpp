#include "app/calendar/month_grid_view.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>

#include "app/calendar/month_grid_accessible.h"

namespace veltaro {
namespace {

struct KindColours {
    QColor text;
    QColor fill;
};

KindColours ColoursOf(CellKind kind) {
    switch (kind) {
        case CellKind::Plain:
            return {QColor(0, 0, 0), QColor(255, 255, 0)};
        case CellKind::Selected:
            return {QColor(255, 255, 255), QColor(0, 0, 128)};
        case CellKind::WeekdayHeader:
            return {QColor(255, 255, 255), QColor(0, 128, 255)};
        case CellKind::Weekend:
            return {QColor(0, 0, 0), QColor(136, 212, 34)};
        case CellKind::Holiday:
            return {QColor(255, 0, 0), QColor(254, 212, 34)};
        case CellKind::SolarTerm:
            return {QColor(0, 0, 0), QColor(128, 128, 0)};
    }
    return {QColor(0, 0, 0), QColor(255, 255, 0)};
}

const QColor kBorderColour{72, 72, 72};
const QColor kBlankColour{128, 128, 128};

QString FromStd(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

MonthGridView::MonthGridView(QWidget* parent) : QWidget(parent) {
    setFixedSize(kGridWidth, kGridHeight);
    // Every pixel is painted on each paint; nothing needs erasing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    InstallMonthGridAccessibility();
}

void MonthGridView::ShowMonth(MonthGrid grid, int language) {
    grid_ = std::move(grid);
    language_ = language;
    update();
    NotifyMonthGridChanged(this);
}

void MonthGridView::MoveSelection(MonthGrid grid) {
    const QRect before = SelectedCellRect();
    grid_ = std::move(grid);
    // The old and the new selection show at once; the full paint follows from the event loop.
    repaint(QRegion(before) + SelectedCellRect());
    update();
    NotifyMonthGridChanged(this);
}

QRect MonthGridView::CellRect(int row, int column) {
    const int top = row < 0 ? 0 : kHeaderHeight + kCellHeight * row;
    const int height = row < 0 ? kHeaderHeight : kCellHeight;
    return {kCellWidth * column, top, kCellWidth, height};
}

QRect MonthGridView::SelectedCellRect() const {
    for (const DayCell& cell : grid_.cells) {
        if (cell.day != 0 && cell.day == grid_.selectedDay) {
            return CellRect(cell.row, cell.column);
        }
    }
    return {};
}

std::optional<int> MonthGridView::DayAt(const QPoint& point) const {
    if (!rect().contains(point) || grid_.year == 0) {
        return std::nullopt;
    }
    // Division toward zero: a point in the header row falls into the first row of days.
    const int row = (point.y() - kHeaderHeight) / kCellHeight;
    const int column = point.x() / kCellWidth;
    const int day = grid_.cells[static_cast<std::size_t>(row * kGridColumns + column)].day;
    return day == 0 ? std::nullopt : std::optional<int>(day);
}

void MonthGridView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The one-pixel gaps at each cell's right and bottom show the window behind the grid.
    painter.fillRect(rect(), palette().window());
    const auto& header = WeekdayHeaderNames(language_);
    for (int column = 0; column < kGridColumns; ++column) {
        DrawCell(painter, CellKind::WeekdayHeader,
                 FromStd(header[static_cast<std::size_t>(column)]), CellRect(-1, column));
    }
    for (const DayCell& cell : grid_.cells) {
        DrawCell(painter, cell.kind, QString::fromStdString(cell.text),
                 CellRect(cell.row, cell.column));
    }
}

// Left and top edges only: the neighbours' edges and the frame close each cell.
void MonthGridView::DrawCell(QPainter& painter, CellKind kind, const QString& text,
                             const QRect& cell) const {
    const int left = cell.left();
    const int top = cell.top();
    const int right = left + cell.width();
    const int bottom = top + cell.height();
    // A line from (left, bottom) up to (left, top), then on to (right, top), end point excluded.
    painter.fillRect(QRect(left, top, 1, bottom - top + 1), kBorderColour);
    painter.fillRect(QRect(left, top, right - left, 1), kBorderColour);
    const QRect inner(left + 1, top + 1, right - left - 2, bottom - top - 2);
    const KindColours colours = ColoursOf(kind);
    painter.fillRect(inner, text.isEmpty() ? kBlankColour : colours.fill);
    if (text.isEmpty()) {
        return;
    }
    painter.setPen(colours.text);
    const bool multiLine = kind != CellKind::WeekdayHeader && text.contains(QLatin1Char('\n'));
    painter.drawText(
        inner, multiLine ? Qt::AlignHCenter | Qt::AlignTop : Qt::AlignCenter | Qt::TextSingleLine,
        text);
}

void MonthGridView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    if (const std::optional<int> day = DayAt(event->position().toPoint())) {
        emit dayClicked(*day);
    }
}

}  // namespace veltaro
