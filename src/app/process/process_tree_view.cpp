#include "app/process/process_tree_view.h"

#include <QLabel>
#include <QTreeWidget>

#include "app/process/process_icons.h"

namespace veltaro {

std::size_t ProcessTreeView::RowCount() const {
    return static_cast<std::size_t>(list_.topLevelItemCount());
}

std::string ProcessTreeView::PidCell(std::size_t row) const {
    return list_.topLevelItem(static_cast<int>(row))->text(kPidColumn).toStdString();
}

void ProcessTreeView::AppendRow(const ProcessRow& row) {
    const QString path = QString::fromStdString(row.path);
    auto* item = new QTreeWidgetItem(QStringList{QString::fromStdString(row.name),
                                                 QString::fromStdString(row.pidText), path,
                                                 QString::fromStdString(row.createTime)});
    item->setTextAlignment(kPidColumn, Qt::AlignRight | Qt::AlignVCenter);
    item->setIcon(kNameColumn, icons_.For(path));
    list_.addTopLevelItem(item);
}

void ProcessTreeView::RemoveRow(std::size_t row) {
    delete list_.takeTopLevelItem(static_cast<int>(row));
}

std::string ProcessTreeView::CountLine() const {
    return countLine_.text().toStdString();
}

void ProcessTreeView::SetCountLine(const std::string& text) {
    countLine_.setText(QString::fromStdString(text));
    countLine_.setAccessibleName(countLine_.text());
}

}  // namespace veltaro
