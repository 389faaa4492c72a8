#pragma once

#include "process/process_list.h"

class QLabel;
class QTreeWidget;

namespace veltaro {

class ProcessIcons;

// The process list control and the count line as the refresh sees them: the rows are the record.
// A new row carries its executable's icon.
class ProcessTreeView final : public ProcessListView {
public:
    ProcessTreeView(QTreeWidget& list, QLabel& countLine, ProcessIcons& icons)
        : list_(list), countLine_(countLine), icons_(icons) {}

    std::size_t RowCount() const override;
    std::string PidCell(std::size_t row) const override;
    void AppendRow(const ProcessRow& row) override;
    void RemoveRow(std::size_t row) override;
    std::string CountLine() const override;
    void SetCountLine(const std::string& text) override;

private:
    QTreeWidget& list_;
    QLabel& countLine_;
    ProcessIcons& icons_;
};

// The process list's columns, as the cells of a row are laid out.
enum ProcessColumn { kNameColumn, kPidColumn, kPathColumn, kCreateTimeColumn };

}  // namespace veltaro
