#pragma once

#include <QDialog>
#include <QTimer>

#include "app/process/process_icons.h"
#include "process/process_actions.h"
#include "process/process_list.h"
#include "process/process_menu.h"

class QLabel;
class QMenu;
class QPushButton;
class QTreeWidget;

namespace veltaro {

class Banner;
class FileManager;
class ProcessSource;

// Set while the process manager is open: the menu and `veltaro-cli open process` open it once.
extern bool ProcessManagerOpen;

// Opens the process manager modally over the running system, unless it is open already.
void RunProcessManager(int language);

// The process manager: the banner, one of three lists (the processes, the modules and the
// threads of the process last clicked), the count line and Close. A 31 ms timer keeps the process
// list current without touching the rows that stay; the context menu acts on the selected row.
class CQuorvaneProcessDlg : public QDialog {
    Q_OBJECT

public:
    // `source` and `fileManager` outlive the window.
    CQuorvaneProcessDlg(int language, const ProcessSource& source, FileManager& fileManager,
                        QWidget* parent = nullptr);

    // The handlers, by what causes them.
    void OnTimer();
    void OnProcessClicked(int row);
    void OnRightClick(QTreeWidget* list);
    void OnCommand(int command);
    void SortListByColumn(QTreeWidget* list, int column);
    void FillModuleList(int pid);
    void FillThreadList(int pid);
    ShownList Shown() const { return shown_; }

    Banner* const PageBanner;
    QTreeWidget* const ProcessList;
    QTreeWidget* const ModuleList;
    QTreeWidget* const ThreadList;
    QLabel* const CountLine;
    QPushButton* const CloseButton;
    QMenu* const ContextMenu;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void SetUpLists();
    void BuildContextMenu();
    void UpdateMenuStates();
    void ArrangeControls();
    void RefreshProcesses();
    void RebuildProcesses();
    void ShowList(ShownList list);
    // The list the file actions work on: the process list when shown, else the module list.
    QTreeWidget* FileList() const;
    QString SelectedPath() const;
    void KillSelectedProcess();
    void DeleteSelectedFile();
    void BrowseSelectedFile();
    void ShowSelectedFileProperties();
    std::vector<ListedProcess> ListedProcesses() const;

    const int language_;
    const ProcessSource& source_;
    FileManager& fileManager_;
    ProcessIcons icons_;
    ProcessListMemory listMemory_;
    ShownList shown_ = ShownList::kProcesses;
    QTimer timer_;
};

}  // namespace veltaro
