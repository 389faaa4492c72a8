// The process manager window on Qt's offscreen platform, over made-up processes and over real
// child processes.
#include "app/process/process_dlg.h"

#include <gtest/gtest.h>

#include <fstream>

#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QTreeWidget>

#include "app/banner.h"
#include "app/icon_theme.h"
#include "app/process/file_manager.h"
#include "child_processes.h"
#include "fake_process_source.h"
#include "platform/interface_language.h"
#include "process/proc_process_source.h"
#include "temp_folder.h"
#include "widget_test_support.h"

namespace veltaro {
namespace {

using testing::FakeProcessSource;

QStringList Column(const QTreeWidget* list, int column) {
    QStringList texts;
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        texts << list->topLevelItem(row)->text(column);
    }
    return texts;
}

QStringList Headings(const QTreeWidget* list) {
    QStringList headings;
    for (int column = 0; column < list->columnCount(); ++column) {
        headings << list->headerItem()->text(column);
    }
    return headings;
}

// Answers the message boxes that show, in turn, with `buttons`, and keeps what they said.
class MessageBoxAnswers : public QObject {
public:
    // `pause` lets the window's timer tick before each answer.
    explicit MessageBoxAnswers(std::vector<QMessageBox::StandardButton> buttons,
                               std::chrono::milliseconds pause = std::chrono::milliseconds(5))
        : buttons_(std::move(buttons)) {
        connect(&poll_, &QTimer::timeout, this, &MessageBoxAnswers::Answer);
        poll_.start(pause);
    }

    struct Shown {
        QString title;
        QString text;
        QMessageBox::Icon icon;
    };
    std::vector<Shown> Seen;

private:
    void Answer() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || box == answered_ || Seen.size() == buttons_.size()) {
            return;
        }
        Seen.push_back({box->windowTitle(), box->text(), box->icon()});
        answered_ = box;
        box->button(buttons_[Seen.size() - 1])->click();
    }

    std::vector<QMessageBox::StandardButton> buttons_;
    QPointer<QMessageBox> answered_;
    QTimer poll_;
};

std::string ProcessName(int pid) {
    return ProcProcessSource().Describe(pid).value_or(ProcessDescription{}).name;
}

class ProcessDlgTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::WidgetApplication(); }

    void SetUp() override {
        source.Add(30, "Zsh", {{"zsh", "/usr/bin/zsh"}, {"libc.so.6", "/lib/libc.so.6"}});
        source.Add(4, "init");
        source.Add(1200, "bash", {{"bash", "/usr/bin/bash"}});
        source.Add(7, "kthreadd");
        source.processes[7].description.reset();
    }

    FakeProcessSource source;
    FileManager fileManager{QDBusConnection(QStringLiteral("no bus"))};
};

TEST_F(ProcessDlgTest, CaptionsHeadingsAndAccessibleNamesFollowTheLanguage) {
    const struct {
        int language;
        const char* title;
        const char* close;
        QStringList processHeadings;
        QStringList threadHeadings;
        const char* countLine;
    } cases[] = {
        {kLanguageEnglish,
         "Process Manager - Veltaro",
         "&Close",
         {"Process", "PID", "Path", "Create Time"},
         {"Thread ID", "Level"},
         "Process Count: 4"},
        {kLanguageChinese,
         "进程管理器 - Veltaro",
         "关闭(&C)",
         {"进程名", "进程ID", "目录", "创建时间"},
         {"线程ID", "级别"},
         "进程数量: 4"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        CQuorvaneProcessDlg window(c.language, source, fileManager);
        EXPECT_EQ(window.windowTitle(), QString::fromUtf8(c.title));
        EXPECT_EQ(window.CloseButton->text(), QString::fromUtf8(c.close));
        EXPECT_EQ(Headings(window.ProcessList), c.processHeadings);
        EXPECT_EQ(Headings(window.ThreadList), c.threadHeadings);
        EXPECT_EQ(window.CountLine->text(), QString::fromUtf8(c.countLine));
        EXPECT_EQ(window.ModuleList->columnCount(), 2);
        EXPECT_EQ(Column(window.ProcessList, 1), (QStringList{"      30", "       4", "    1200"}));
        EXPECT_FALSE(window.PageBanner->Address().isEmpty());
        for (const QWidget* control : window.findChildren<QWidget*>()) {
            if (qobject_cast<const QTreeWidget*>(control) ||
                qobject_cast<const QPushButton*>(control) || qobject_cast<const QLabel*>(control) ||
                qobject_cast<const Banner*>(control)) {
                EXPECT_FALSE(control->accessibleName().isEmpty())
                    << control->metaObject()->className();
            }
        }
        EXPECT_TRUE(window.ProcessList->isVisibleTo(&window));
        EXPECT_FALSE(window.ModuleList->isVisibleTo(&window));
        EXPECT_FALSE(window.ThreadList->isVisibleTo(&window));
    }
}

TEST_F(ProcessDlgTest, TheLayoutRuleHoldsAtOpeningAndOnEveryResize) {
    CQuorvaneProcessDlg window(kLanguageEnglish, source, fileManager);
    const auto expectLayout = [&window] {
        const int width = window.width();
        const int height = window.height();
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        EXPECT_EQ(window.PageBanner->geometry(), QRect(0, 0, width, 101));
        for (const QTreeWidget* list : {window.ProcessList, window.ModuleList, window.ThreadList}) {
            EXPECT_EQ(list->geometry(), QRect(10, 110, width - 20, height - 150));
        }
        EXPECT_EQ(window.CountLine->pos(), QPoint(10, height - 35));
        EXPECT_EQ(window.CountLine->height(), 20);
        EXPECT_GE(window.CountLine->width(), 100);
        EXPECT_GE(window.CountLine->width(), window.CountLine->sizeHint().width()) << "not cut off";
        const QRect button = window.CloseButton->geometry();
        EXPECT_EQ(button.right() + 1, width - 10);
        EXPECT_EQ(button.bottom() + 1, height - 10);
    };
    expectLayout();
    // 425 x 260 dialog units, wider when the font needs it so that no column is cut off.
    EXPECT_GE(window.width(), 637);
    EXPECT_EQ(window.height(), 422);
    window.show();
    QApplication::processEvents();
    EXPECT_FALSE(window.ProcessList->horizontalScrollBar()->isVisible());
    const QSize buttonSize = window.CloseButton->size();
    for (const QSize size : {QSize(900, 700), QSize(400, 300), QSize(1280, 260)}) {
        window.resize(size);
        window.show();
        QApplication::processEvents();
        expectLayout();
        EXPECT_EQ(window.CloseButton->size(), buttonSize);
    }
}

TEST_F(ProcessDlgTest, RightClicksAndTheMenuFollowTheSelectionAndTheListOnShow) {
    source.processes[30].description->path = "/usr/bin/zsh";
    CQuorvaneProcessDlg window(kLanguageEnglish, source, fileManager);
    window.show();
    const auto states = [&window] {
        // The states the menu shows, by command: enabled, checked.
        std::map<int, std::pair<bool, bool>> result;
        emit window.ContextMenu->aboutToShow();
        for (const QAction* action : window.ContextMenu->actions()) {
            if (!action->isSeparator()) {
                result[action->data().toInt()] = {action->isEnabled(), action->isChecked()};
            }
        }
        return result;
    };

    window.OnRightClick(window.ProcessList);
    EXPECT_FALSE(window.ContextMenu->isVisible()) << "no row selected: no menu";
    EXPECT_EQ(states()[kShowModuleList], std::make_pair(false, false));
    EXPECT_EQ(states()[kShowProcessList], std::make_pair(true, true));

    window.ProcessList->topLevelItem(0)->setSelected(true);
    window.OnRightClick(window.ProcessList);
    EXPECT_TRUE(window.ContextMenu->isVisible());
    window.ContextMenu->hide();
    EXPECT_EQ(Column(window.ModuleList, 0), QStringList{"libc.so.6"}) << "refilled for the row";
    EXPECT_EQ(states()[kShowModuleList], std::make_pair(true, false));
    EXPECT_EQ(states()[kAboutFile], std::make_pair(false, false));

    window.OnCommand(kShowModuleList);
    EXPECT_EQ(window.Shown(), ShownList::kModules);
    EXPECT_TRUE(window.ModuleList->isVisible());
    EXPECT_FALSE(window.ProcessList->isVisible());
    EXPECT_EQ(states()[kKillProcess], std::make_pair(false, false));
    EXPECT_EQ(states()[kDeleteFile], std::make_pair(true, false));
    EXPECT_EQ(states()[kShowModuleList], std::make_pair(true, true));

    window.OnCommand(kShowThreadList);
    EXPECT_TRUE(window.ThreadList->isVisible());
    for (const int command : {kKillProcess, kDeleteFile, kBrowseFile, kFileProperty}) {
        EXPECT_FALSE(states()[command].first) << command;
    }
    window.OnRightClick(window.ThreadList);
    EXPECT_TRUE(window.ContextMenu->isVisible()) << "the other lists always have a menu";
    window.ContextMenu->hide();
}

TEST_F(ProcessDlgTest, SortsByHeaderAndKeepsOrderAndSelectionAcrossRefreshes) {
    CQuorvaneProcessDlg window(kLanguageEnglish, source, fileManager);
    window.ProcessList->topLevelItem(1)->setSelected(true);  // init
    window.ProcessList->header()->sectionClicked(0);
    EXPECT_EQ(Column(window.ProcessList, 0), (QStringList{"bash", "init", "Zsh"}));
    window.ProcessList->header()->sectionClicked(0);
    EXPECT_EQ(Column(window.ProcessList, 0), (QStringList{"bash", "init", "Zsh"}));
    window.ProcessList->header()->sectionClicked(1);
    EXPECT_EQ(Column(window.ProcessList, 0), (QStringList{"init", "Zsh", "bash"}));
    EXPECT_EQ(window.ProcessList->selectedItems().value(0)->text(0), "init");

    source.End(30);
    source.Add(99, "awk");
    window.show();  // a shown window refreshes at every tick
    window.OnTimer();
    EXPECT_EQ(Column(window.ProcessList, 0), (QStringList{"init", "bash", "awk"}));
    EXPECT_EQ(window.ProcessList->selectedItems().value(0)->text(0), "init");
    EXPECT_EQ(window.CountLine->text(), "Process Count: 4");
}

TEST_F(ProcessDlgTest, KillAsksWithoutTitleAndEndsARealProcessOrSaysItFailed) {
    testing::HoldingChild child;
    const ProcProcessSource system;
    CQuorvaneProcessDlg window(kLanguageEnglish, system, fileManager);
    window.show();  // refreshes at every tick, also while a question is open
    const QList<QTreeWidgetItem*> rows = window.ProcessList->findItems(
        QString::fromStdString(PidCellText(child.Pid())), Qt::MatchExactly, 1);
    ASSERT_EQ(rows.size(), 1);
    rows[0]->setSelected(true);

    {
        MessageBoxAnswers no({QMessageBox::No});
        window.OnCommand(kKillProcess);
        ASSERT_EQ(no.Seen.size(), 1u);
        EXPECT_EQ(no.Seen[0].title, "");
        EXPECT_TRUE(no.Seen[0].text.startsWith("WARNING: Terminating a process"));
        EXPECT_EQ(no.Seen[0].icon, QMessageBox::Warning);
        EXPECT_EQ(::kill(child.Pid(), 0), 0) << "No ends nothing";
    }
    {
        MessageBoxAnswers yes({QMessageBox::Yes});
        window.OnCommand(kKillProcess);
        EXPECT_TRUE(child.Reap());
    }
    // The row stays until the next refresh, and the process is gone: the failure box. The
    // refreshes go on while the question is open; its answer must not need the row.
    MessageBoxAnswers yesThenOk({QMessageBox::Yes, QMessageBox::Ok},
                                std::chrono::milliseconds(200));
    window.OnCommand(kKillProcess);
    ASSERT_EQ(yesThenOk.Seen.size(), 2u);
    EXPECT_EQ(yesThenOk.Seen[1].title, "Veltaro");
    EXPECT_EQ(yesThenOk.Seen[1].text, "Kill process fail...");
}

TEST_F(ProcessDlgTest, DeletingAModuleNamesItsHoldersAndAFailureSpeaksChinese) {
    const testing::TempFolder folder;
    const std::string library =
        testing::WriteText(folder.Path() / "plugin.so", std::string(8192, 'x'));
    testing::HoldingChild first(library);
    testing::HoldingChild second(library);
    const ProcProcessSource system;
    CQuorvaneProcessDlg window(kLanguageEnglish, system, fileManager);
    window.FillModuleList(first.Pid());
    window.OnCommand(kShowModuleList);
    const QList<QTreeWidgetItem*> rows =
        window.ModuleList->findItems(QString::fromStdString(library), Qt::MatchExactly, 1);
    ASSERT_EQ(rows.size(), 1);
    rows[0]->setSelected(true);

    {
        MessageBoxAnswers cancel({QMessageBox::Cancel});
        window.OnCommand(kDeleteFile);
        ASSERT_EQ(cancel.Seen.size(), 1u);
        EXPECT_EQ(cancel.Seen[0].title, "Delete File");
        const QString expectedNames = QString::fromStdString(
            ":\t\n\n" + ProcessName(first.Pid()) + "\n" + ProcessName(second.Pid()) +
            "\n\nWarning: don't recover if you delete.");
        EXPECT_TRUE(cancel.Seen[0].text.endsWith(expectedNames))
            << cancel.Seen[0].text.toStdString();
        EXPECT_TRUE(std::filesystem::exists(library)) << "Cancel deletes nothing";
    }
    {
        MessageBoxAnswers ok({QMessageBox::Ok});
        window.OnCommand(kDeleteFile);
        EXPECT_FALSE(std::filesystem::exists(library));
        EXPECT_TRUE(first.Reap());
        EXPECT_TRUE(second.Reap());
        EXPECT_EQ(window.ModuleList->topLevelItemCount(), 0);
    }
    // A folder by the same name can't be deleted as a file.
    std::filesystem::create_directory(library);
    window.FillModuleList(::getpid());
    auto* row = new QTreeWidgetItem(QStringList{"plugin.so", QString::fromStdString(library)});
    window.ModuleList->addTopLevelItem(row);
    row->setSelected(true);
    MessageBoxAnswers okThenFailure({QMessageBox::Ok, QMessageBox::Ok});
    window.OnCommand(kDeleteFile);
    ASSERT_EQ(okThenFailure.Seen.size(), 2u);
    EXPECT_EQ(okThenFailure.Seen[1].title, "删除文件");
    EXPECT_EQ(okThenFailure.Seen[1].text, "删除文件失败!\t");
    EXPECT_EQ(okThenFailure.Seen[1].icon, QMessageBox::Critical);
}

TEST_F(ProcessDlgTest, TheProgramNeverNamesItselfAmongTheProcessesToEnd) {
    const std::string library = "/lib/libc.so.6";
    source.Add(::getpid(), "veltaro", {{"veltaro", "/usr/bin/veltaro"}, {"libc.so.6", library}});
    CQuorvaneProcessDlg window(kLanguageEnglish, source, fileManager);
    window.FillModuleList(30);
    window.OnCommand(kShowModuleList);
    window.ModuleList->topLevelItem(0)->setSelected(true);

    MessageBoxAnswers cancel({QMessageBox::Cancel});
    window.OnCommand(kDeleteFile);
    ASSERT_EQ(cancel.Seen.size(), 1u);
    EXPECT_TRUE(cancel.Seen[0].text.contains("\n\nZsh\n\nWarning"))
        << cancel.Seen[0].text.toStdString();
}

TEST_F(ProcessDlgTest, ASecondOpeningWhileOpenDoesNothing) {
    ProcessManagerOpen = true;
    RunProcessManager(kLanguageEnglish);  // would block in exec() if it opened
    EXPECT_TRUE(ProcessManagerOpen);
    ProcessManagerOpen = false;
}

// The process icons come from the theme: under a bare window manager Qt names none but hicolor,
// which has no executable icon, and GTK's default theme is taken where it is installed.
TEST(IconTheme, WithoutADesktopThemeTheGtkOneIsTakenWhereInstalled) {
    const QString theme = QIcon::themeName();
    const QStringList searchPaths = QIcon::themeSearchPaths();
    const testing::TempFolder icons;
    QIcon::setThemeSearchPaths({QString::fromStdString(icons.Path().string())});
    QIcon::setThemeName(QStringLiteral("hicolor"));
    UseGtkIconThemeWithoutADesktopOne();
    EXPECT_EQ(QIcon::themeName(), QStringLiteral("hicolor")) << "not installed";

    std::filesystem::create_directories(icons.Path() / "Adwaita");
    std::ofstream(icons.Path() / "Adwaita" / "index.theme") << "[Icon Theme]\nName=Adwaita\n";
    UseGtkIconThemeWithoutADesktopOne();
    EXPECT_EQ(QIcon::themeName(), QStringLiteral("Adwaita"));

    QIcon::setThemeName(QStringLiteral("breeze"));
    UseGtkIconThemeWithoutADesktopOne();
    EXPECT_EQ(QIcon::themeName(), QStringLiteral("breeze")) << "the desktop's own theme stays";
    QIcon::setThemeSearchPaths(searchPaths);
    QIcon::setThemeName(theme);
}

}  // namespace
}  // namespace veltaro
