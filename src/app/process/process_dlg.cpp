#include "app/process/process_dlg.h"

#include <unistd.h>

#include <QApplication>
#include <QCursor>
#include <QDBusConnection>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QStyle>
#include <QTreeWidget>
#include <algorithm>

#include "app/app_icon.h"
#include "app/banner.h"
#include "app/dialog_units.h"
#include "app/process/file_manager.h"
#include "app/process/file_properties_dlg.h"
#include "app/process/process_tree_view.h"
#include "platform/interface_language.h"
#include "process/list_sort.h"
#include "process/proc_process_source.h"
#include "process/process_actions.h"
#include "process/process_texts.h"
#include "web/page_address.h"

namespace veltaro {

bool ProcessManagerOpen = false;

namespace {

constexpr int kTimerPeriodMs = 31;
// The arrangement's own pixels: the lists start below the banner, the count line and Close sit
// along the bottom edge.
constexpr int kListLeft = 10;
constexpr int kListTop = 110;
constexpr int kListBottomGap = 40;
constexpr int kCountLineWidth = 100;
constexpr int kCountLineHeight = 20;
constexpr int kCountLineBottomGap = 35;
constexpr int kButtonGap = 10;
// Small enough for any screen, large enough that every control keeps a place.
constexpr QSize kMinimumSize(320, 240);

// The timer's count, shared by every opening: it decides when the list is rebuilt.
RefreshCounter& SharedRefreshCounter() {
    static RefreshCounter counter;
    return counter;
}

QString FromUtf8(const char* text) {
    return QString::fromUtf8(text);
}

QString WithoutMnemonic(QString caption) {
    return caption.remove(QLatin1Char('&'));
}

QTreeWidget* MakeList(const char* name, QWidget* parent) {
    auto* list = new QTreeWidget(parent);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    list->header()->setSectionsClickable(true);
    list->header()->setSortIndicatorShown(false);
    list->setAccessibleName(FromUtf8(name));
    return list;
}

// The columns' widths are those of the arrangement, or what a typical cell needs in the
// desktop's font when that is more, so that times and numbers are not cut off.
void SetColumns(QTreeWidget* list, const char* const* headings,
                std::initializer_list<std::pair<int, const char*>> columns) {
    QStringList labels;
    for (std::size_t column = 0; column < columns.size(); ++column) {
        labels << FromUtf8(headings[column]);
    }
    list->setHeaderLabels(labels);
    constexpr int kCellPadding = 16;
    int column = 0;
    for (const auto& [width, typicalCell] : columns) {
        const int needed = list->fontMetrics().horizontalAdvance(FromUtf8(typicalCell));
        list->setColumnWidth(column++, std::max(width, needed + kCellPadding));
    }
}

// The window width at which every column of `list` shows without a horizontal scroll bar.
int WidthShowingEveryColumn(const QTreeWidget* list) {
    int columns = 0;
    for (int column = 0; column < list->columnCount(); ++column) {
        columns += list->columnWidth(column);
    }
    const int scrollBar = list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
    return columns + 2 * list->frameWidth() + scrollBar + 2 * kListLeft;
}

QTreeWidgetItem* SelectedRow(const QTreeWidget* list) {
    const QList<QTreeWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? nullptr : selected.front();
}

}  // namespace

void RunProcessManager(int language) {
    if (ProcessManagerOpen) {
        return;
    }
    ProcessManagerOpen = true;
    const ProcProcessSource source;
    FileManager fileManager(QDBusConnection::sessionBus());
    CQuorvaneProcessDlg window(language, source, fileManager);
    window.exec();
    ProcessManagerOpen = false;
}

CQuorvaneProcessDlg::CQuorvaneProcessDlg(int language, const ProcessSource& source,
                                         FileManager& fileManager, QWidget* parent)
    : QDialog(parent),
      PageBanner(new Banner(this)),
      ProcessList(MakeList(ProcessTextsFor(language).listNames[0], this)),
      ModuleList(MakeList(ProcessTextsFor(language).listNames[1], this)),
      ThreadList(MakeList(ProcessTextsFor(language).listNames[2], this)),
      CountLine(new QLabel(this)),
      CloseButton(new QPushButton(this)),
      ContextMenu(new QMenu(this)),
      language_(language),
      source_(source),
      fileManager_(fileManager) {
    const ProcessTexts& texts = ProcessTextsFor(language);
    // A window of its own with a taskbar entry, resizable, with minimise and maximise boxes.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setWindowIcon(AppIcon());
    setWindowTitle(FromUtf8(texts.windowTitle));
    PageBanner->Navigate(ProcessPageAddress(language), language);
    CloseButton->setText(FromUtf8(texts.closeButton));
    CloseButton->setAccessibleName(WithoutMnemonic(CloseButton->text()));
    CloseButton->setDefault(true);
    CloseButton->resize(
        CloseButton->sizeHint().expandedTo({DialogUnitsToPixelsX(50), DialogUnitsToPixelsY(14)}));
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::reject);
    SetUpLists();
    BuildContextMenu();

    setMinimumSize(kMinimumSize);
    // Wider than the arrangement's size when the desktop's font needs it for the creation time.
    resize(std::max(DialogUnitsToPixelsX(425), WidthShowingEveryColumn(ProcessList)),
           DialogUnitsToPixelsY(260));
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    ArrangeControls();

    RefreshProcesses();
    connect(&timer_, &QTimer::timeout, this, &CQuorvaneProcessDlg::OnTimer);
    timer_.start(kTimerPeriodMs);
    ShowList(ShownList::kProcesses);
}

void CQuorvaneProcessDlg::SetUpLists() {
    const ProcessTexts& texts = ProcessTextsFor(language_);
    SetColumns(ProcessList, texts.processHeadings,
               {{120, ""}, {60, " 99999999"}, {290, ""}, {120, "2000/00/00 00:00:00"}});
    ProcessList->headerItem()->setTextAlignment(kPidColumn, Qt::AlignRight | Qt::AlignVCenter);
    SetColumns(ModuleList, texts.moduleHeadings, {{120, ""}, {380, ""}});
    SetColumns(ThreadList, texts.threadHeadings, {{120, "0x00000000"}, {120, ""}});
    for (QTreeWidget* list : {ProcessList, ModuleList, ThreadList}) {
        connect(list->header(), &QHeaderView::sectionClicked, this,
                [this, list](int column) { SortListByColumn(list, column); });
        connect(list, &QWidget::customContextMenuRequested, this,
                [this, list] { OnRightClick(list); });
    }
    connect(ProcessList, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        OnProcessClicked(ProcessList->indexOfTopLevelItem(item));
    });
}

void CQuorvaneProcessDlg::BuildContextMenu() {
    const bool chinese = ShowsChineseTexts(language_);
    for (const ProcessMenuItem& item : ProcessMenuItems()) {
        if (item.command == 0) {
            ContextMenu->addSeparator();
            continue;
        }
        QAction* action = ContextMenu->addAction(FromUtf8(chinese ? item.chinese : item.english));
        action->setData(item.command);
        // Only the list items carry a check mark.
        action->setCheckable(item.command == kShowProcessList || item.command == kShowModuleList ||
                             item.command == kShowThreadList);
        connect(action, &QAction::triggered, this,
                [this, command = item.command] { OnCommand(command); });
    }
    connect(ContextMenu, &QMenu::aboutToShow, this, &CQuorvaneProcessDlg::UpdateMenuStates);
}

void CQuorvaneProcessDlg::UpdateMenuStates() {
    const bool processSelected = SelectedRow(ProcessList) != nullptr;
    for (QAction* action : ContextMenu->actions()) {
        if (action->isSeparator()) {
            continue;
        }
        const ProcessMenuItemState state =
            StateOfProcessMenuItem(action->data().toInt(), shown_, processSelected);
        action->setEnabled(state.enabled);
        action->setChecked(state.checked);
    }
}

void CQuorvaneProcessDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    ArrangeControls();
}

void CQuorvaneProcessDlg::ArrangeControls() {
    const int width = this->width();
    const int height = this->height();
    PageBanner->setGeometry(0, 0, width, kStretchedBannerHeight);
    for (QTreeWidget* list : {ProcessList, ModuleList, ThreadList}) {
        list->setGeometry(kListLeft, kListTop, width - 2 * kListLeft,
                          height - kListTop - kListBottomGap);
    }
    // As wide as its text needs when that is more, so the count is never cut off.
    CountLine->setGeometry(kListLeft, height - kCountLineBottomGap,
                           std::max(kCountLineWidth, CountLine->sizeHint().width()),
                           kCountLineHeight);
    CloseButton->move(width - CloseButton->width() - kButtonGap,
                      height - CloseButton->height() - kButtonGap);
}

void CQuorvaneProcessDlg::OnTimer() {
    const RefreshCounter::Tick tick = SharedRefreshCounter().Next(isVisible() && !isMinimized());
    if (tick.rebuild) {
        RebuildProcesses();
    }
    if (tick.refresh) {
        RefreshProcesses();
    }
}

void CQuorvaneProcessDlg::RefreshProcesses() {
    const int countWidth = CountLine->sizeHint().width();
    ProcessTreeView view(*ProcessList, *CountLine, icons_);
    RefreshProcessList(view, source_, language_, listMemory_);
    if (CountLine->sizeHint().width() != countWidth) {
        ArrangeControls();
    }
}

void CQuorvaneProcessDlg::RebuildProcesses() {
    ProcessList->clear();
    listMemory_ = {};
}

void CQuorvaneProcessDlg::OnProcessClicked(int row) {
    if (QTreeWidgetItem* item = ProcessList->topLevelItem(row)) {
        const int pid = PidOfCell(item->text(kPidColumn).toStdString());
        FillModuleList(pid);
        FillThreadList(pid);
    }
}

void CQuorvaneProcessDlg::OnRightClick(QTreeWidget* list) {
    if (list == ProcessList) {
        QTreeWidgetItem* selected = SelectedRow(ProcessList);
        if (selected == nullptr) {
            return;
        }
        OnProcessClicked(ProcessList->indexOfTopLevelItem(selected));
    }
    ContextMenu->popup(QCursor::pos());
}

void CQuorvaneProcessDlg::FillModuleList(int pid) {
    ModuleList->clear();
    for (const ModuleEntry& module : ModuleRowsOf(source_, pid)) {
        ModuleList->addTopLevelItem(new QTreeWidgetItem(
            QStringList{QString::fromStdString(module.name), QString::fromStdString(module.path)}));
    }
}

void CQuorvaneProcessDlg::FillThreadList(int pid) {
    ThreadList->clear();
    for (const ThreadEntry& thread : source_.Threads(pid)) {
        ThreadList->addTopLevelItem(new QTreeWidgetItem(QStringList{
            QString::fromStdString(ThreadIdText(thread.id)), QString::number(thread.level)}));
    }
}

void CQuorvaneProcessDlg::SortListByColumn(QTreeWidget* list, int column) {
    std::vector<std::string> texts;
    texts.reserve(static_cast<std::size_t>(list->topLevelItemCount()));
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        texts.push_back(list->topLevelItem(row)->text(column).toStdString());
    }
    QTreeWidgetItem* selected = SelectedRow(list);
    const QList<QTreeWidgetItem*> rows = list->invisibleRootItem()->takeChildren();
    QList<QTreeWidgetItem*> sorted;
    sorted.reserve(rows.size());
    for (const std::size_t row : SortedRowOrder(texts)) {
        sorted << rows[static_cast<qsizetype>(row)];
    }
    list->addTopLevelItems(sorted);
    if (selected != nullptr) {
        list->setCurrentItem(selected);
    }
}

void CQuorvaneProcessDlg::OnCommand(int command) {
    switch (command) {
        case kKillProcess:
            KillSelectedProcess();
            break;
        case kDeleteFile:
            DeleteSelectedFile();
            break;
        case kBrowseFile:
            BrowseSelectedFile();
            break;
        case kFileProperty:
            ShowSelectedFileProperties();
            break;
        case kShowProcessList:
            ShowList(ShownList::kProcesses);
            break;
        case kShowModuleList:
            ShowList(ShownList::kModules);
            break;
        case kShowThreadList:
            ShowList(ShownList::kThreads);
            break;
        default:
            break;
    }
}

void CQuorvaneProcessDlg::ShowList(ShownList list) {
    shown_ = list;
    ProcessList->setVisible(list == ShownList::kProcesses);
    ModuleList->setVisible(list == ShownList::kModules);
    ThreadList->setVisible(list == ShownList::kThreads);
}

QTreeWidget* CQuorvaneProcessDlg::FileList() const {
    return shown_ == ShownList::kProcesses ? ProcessList : ModuleList;
}

QString CQuorvaneProcessDlg::SelectedPath() const {
    QTreeWidgetItem* selected = SelectedRow(FileList());
    if (selected == nullptr) {
        return {};
    }
    return selected->text(FileList() == ProcessList ? kPathColumn : 1);
}

std::vector<ListedProcess> CQuorvaneProcessDlg::ListedProcesses() const {
    std::vector<ListedProcess> listed;
    for (int row = 0; row < ProcessList->topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = ProcessList->topLevelItem(row);
        listed.push_back({PidOfCell(item->text(kPidColumn).toStdString()),
                          item->text(kNameColumn).toStdString()});
    }
    return listed;
}

void CQuorvaneProcessDlg::KillSelectedProcess() {
    QTreeWidgetItem* selected = SelectedRow(ProcessList);
    if (selected == nullptr) {
        return;
    }
    // Read before asking: the refreshes go on while the question is open and may remove the row.
    const int pid = PidOfCell(selected->text(kPidColumn).toStdString());
    const ProcessTexts& texts = ProcessTextsFor(language_);
    QMessageBox question(QMessageBox::Warning, QString(), FromUtf8(texts.killWarning),
                         QMessageBox::Yes | QMessageBox::No, this);
    if (question.exec() != QMessageBox::Yes) {
        return;
    }
    if (!KillProcess(pid)) {
        QMessageBox failure(QMessageBox::Information, QStringLiteral("Veltaro"),
                            FromUtf8(texts.killFailed), QMessageBox::Ok, this);
        failure.exec();
    }
}

void CQuorvaneProcessDlg::DeleteSelectedFile() {
    QTreeWidget* list = FileList();
    QTreeWidgetItem* selected = SelectedRow(list);
    if (selected == nullptr) {
        return;
    }
    const std::string path = SelectedPath().toStdString();
    std::optional<int> chosenPid;
    if (list == ProcessList) {
        chosenPid = PidOfCell(selected->text(kPidColumn).toStdString());
    }
    // The program never ends itself: that would abort the deletion it is carrying out, and an
    // unlinked file stays usable by whoever still maps it.
    std::vector<ListedProcess> listed = ListedProcesses();
    std::erase_if(listed, [](const ListedProcess& process) { return process.pid == ::getpid(); });
    const std::vector<FileHolder> holders = HoldersToEnd(path, chosenPid, listed, source_);

    const ProcessTexts& texts = ProcessTextsFor(language_);
    QMessageBox question(QMessageBox::Warning, FromUtf8(texts.deleteTitle),
                         QString::fromStdString(DeleteQuestion(holders, language_)),
                         QMessageBox::Ok | QMessageBox::Cancel, this);
    if (question.exec() != QMessageBox::Ok) {
        return;
    }
    if (DeleteFileAfterEnding(path, holders)) {
        ModuleList->clear();
        return;
    }
    QMessageBox failure(QMessageBox::Critical, FromUtf8(kDeleteFailedTitle),
                        FromUtf8(kDeleteFailedText), QMessageBox::Ok, this);
    failure.exec();
}

void CQuorvaneProcessDlg::BrowseSelectedFile() {
    if (const QString path = SelectedPath(); !path.isEmpty()) {
        fileManager_.ShowItem(path);
    }
}

void CQuorvaneProcessDlg::ShowSelectedFileProperties() {
    const QString path = SelectedPath();
    if (path.isEmpty()) {
        return;
    }
    fileManager_.ShowItemProperties(path, [self = QPointer(this), path] {
        if (self == nullptr) {
            return;
        }
        const std::vector<FileHolder> users =
            HoldersToEnd(path.toStdString(), std::nullopt, self->ListedProcesses(), self->source_);
        auto* properties = new FilePropertiesDlg(path, users, self->language_, self);
        properties->setAttribute(Qt::WA_DeleteOnClose);
        properties->show();
    });
}

}  // namespace veltaro
