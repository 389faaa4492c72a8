#pragma once

#include <QDialog>
#include <vector>

#include "process/process_actions.h"

namespace veltaro {

// The properties of a file when the desktop has no file manager to show them: its path, size,
// owner, permissions, modification time and the listed processes that map it or hold it open.
class FilePropertiesDlg : public QDialog {
    Q_OBJECT

public:
    FilePropertiesDlg(const QString& path, const std::vector<FileHolder>& users, int language,
                      QWidget* parent = nullptr);
};

}  // namespace veltaro
