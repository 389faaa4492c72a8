#include "app/calendar/month_grid_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <memory>
#include <vector>

#include "app/calendar/month_grid_view.h"
#include "platform/interface_language.h"

namespace veltaro {
namespace {

QString KindDescription(CellKind kind, int language) {
    const bool chinese = ShowsChineseTexts(language);
    switch (kind) {
        case CellKind::Selected:
            return chinese ? QStringLiteral("选中") : QStringLiteral("Selected");
        case CellKind::Weekend:
            return chinese ? QStringLiteral("周末") : QStringLiteral("Weekend");
        case CellKind::Holiday:
            return chinese ? QStringLiteral("节日") : QStringLiteral("Holiday");
        case CellKind::SolarTerm:
            return chinese ? QStringLiteral("节气") : QStringLiteral("Solar term");
        case CellKind::Plain:
        case CellKind::WeekdayHeader:
            break;
    }
    return {};
}

class MonthGridTable;

// One day cell, addressed by its place; it reads the grid's current model whenever asked.
class MonthGridCell : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    MonthGridCell(MonthGridTable* table, int row, int column)
        : table_(table), row_(row), column_(column) {}

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text type) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableCellInterface
                   ? static_cast<QAccessibleTableCellInterface*>(this)
                   : nullptr;
    }

    bool isSelected() const override;
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override;

private:
    const DayCell& Cell() const;

    MonthGridTable* table_;
    int row_;
    int column_;
};

class MonthGridTable : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit MonthGridTable(MonthGridView* grid) : QAccessibleWidget(grid, QAccessible::Table) {
        for (int row = 0; row < kGridRows; ++row) {
            for (int column = 0; column < kGridColumns; ++column) {
                auto* cell = new MonthGridCell(this, row, column);
                cellIds_.push_back(QAccessible::registerAccessibleInterface(cell));
            }
        }
    }
    ~MonthGridTable() override {
        for (const QAccessible::Id id : cellIds_) {
            QAccessible::deleteAccessibleInterface(id);
        }
    }

    const MonthGridView* Grid() const { return static_cast<const MonthGridView*>(widget()); }
    MonthGridView* Grid() { return static_cast<MonthGridView*>(widget()); }

    // The name is the grid's caption; the description the month it shows.
    QString text(QAccessible::Text type) const override {
        if (type != QAccessible::Description) {
            return QAccessibleWidget::text(type);
        }
        const MonthGrid& grid = Grid()->Grid();
        return QStringLiteral("%1-%2").arg(grid.year).arg(grid.month);
    }
    int childCount() const override { return static_cast<int>(cellIds_.size()); }
    QAccessibleInterface* child(int index) const override {
        return index >= 0 && index < childCount()
                   ? QAccessible::accessibleInterface(cellIds_[static_cast<std::size_t>(index)])
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int index = 0; index < childCount(); ++index) {
            if (this->child(index) == child) {
                return index;
            }
        }
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint point = Grid()->mapFromGlobal(QPoint(x, y));
        if (!Grid()->rect().contains(point) || point.y() < MonthGridView::kHeaderHeight) {
            return nullptr;
        }
        return cellAt((point.y() - MonthGridView::kHeaderHeight) / MonthGridView::kCellHeight,
                      point.x() / MonthGridView::kCellWidth);
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableInterface ? static_cast<QAccessibleTableInterface*>(this)
                                                   : QAccessibleWidget::interface_cast(type);
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        return row >= 0 && row < kGridRows && column >= 0 && column < kGridColumns
                   ? child(row * kGridColumns + column)
                   : nullptr;
    }
    int selectedCellCount() const override { return selectedCells().size(); }
    QList<QAccessibleInterface*> selectedCells() const override {
        QList<QAccessibleInterface*> selected;
        for (int index = 0; index < childCount(); ++index) {
            if (child(index)->tableCellInterface()->isSelected()) {
                selected << child(index);
            }
        }
        return selected;
    }
    int columnCount() const override { return kGridColumns; }
    int rowCount() const override { return kGridRows; }
    QString columnDescription(int column) const override {
        const auto& names = WeekdayHeaderNames(Grid()->Language());
        return column >= 0 && column < kGridColumns
                   ? QString::fromUtf8(
                         names[static_cast<std::size_t>(column)].data(),
                         static_cast<qsizetype>(names[static_cast<std::size_t>(column)].size()))
                   : QString();
    }
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    // The selection follows the calendar's own navigation, not the reader's.
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    std::vector<QAccessible::Id> cellIds_;
};

bool MonthGridCell::isValid() const {
    return table_ != nullptr && table_->isValid();
}

QWindow* MonthGridCell::window() const {
    return table_->window();
}

QAccessibleInterface* MonthGridCell::parent() const {
    return table_;
}

QAccessibleInterface* MonthGridCell::table() const {
    return table_;
}

const DayCell& MonthGridCell::Cell() const {
    return table_->Grid()->Grid().cells[static_cast<std::size_t>(row_ * kGridColumns + column_)];
}

// The name is what the cell shows, its lines joined by a blank; the description its kind.
QString MonthGridCell::text(QAccessible::Text type) const {
    const DayCell& cell = Cell();
    switch (type) {
        case QAccessible::Name:
            return QString::fromStdString(cell.text).replace(QLatin1Char('\n'), QLatin1Char(' '));
        case QAccessible::Description:
            return cell.day == 0 ? QString()
                                 : KindDescription(cell.kind, table_->Grid()->Language());
        default:
            return {};
    }
}

QRect MonthGridCell::rect() const {
    const MonthGridView* grid = table_->Grid();
    const QRect cell = MonthGridView::CellRect(row_, column_);
    return QRect(grid->mapToGlobal(cell.topLeft()), cell.size());
}

bool MonthGridCell::isSelected() const {
    return Cell().day != 0 && Cell().kind == CellKind::Selected;
}

QAccessible::State MonthGridCell::state() const {
    QAccessible::State state;
    state.selectable = Cell().day != 0;
    state.selected = isSelected();
    state.readOnly = true;
    return state;
}

QAccessibleInterface* MonthGridFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("veltaro::MonthGridView") && object->isWidgetType()) {
        return new MonthGridTable(static_cast<MonthGridView*>(object));
    }
    return nullptr;
}

}  // namespace

void InstallMonthGridAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(MonthGridFactory);
        return true;
    }();
    (void)installed;
}

void NotifyMonthGridChanged(QWidget* grid) {
    if (QAccessible::isActive()) {
        QAccessibleEvent changed(grid, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&changed);
    }
}

}  // namespace veltaro
