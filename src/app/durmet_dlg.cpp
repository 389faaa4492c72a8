#include "app/durmet_dlg.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>
#include <iostream>

#include "app/app_icon.h"
#include "app/command_ids.h"
#include "app/durmet_app.h"
#include "app/main_window_view.h"
#include "calendar/holidays.h"
#include "platform/boot_tag.h"
#include "recorder/heartbeat.h"
#include "recorder/run_log.h"
#include "remind/remind_file.h"
#include "xml/data_document.h"

namespace veltaro {

CDurmetDlg* MainWindowPtr = nullptr;

CDurmetDlg::CDurmetDlg(CDurmetApp& app) : app_(app) {
    MainWindowPtr = this;
    setWindowTitle(QStringLiteral("Veltaro"));
    setWindowIcon(AppIcon());
}

CDurmetDlg::~CDurmetDlg() {
    if (!exited_) {
        // Destroyed without the Exit command (the event loop ended otherwise): the threads must
        // still not outlive the state they use.
        ExitFlag.Set();
        for (std::thread& thread : ThreadHandles) {
            thread.join();
        }
    }
    MainWindowPtr = nullptr;
}

bool CDurmetDlg::OnInitDialog() {
    ReadChimeSetting();
    LoadRunLog();
    StartHeartbeat();
    LoadRemindPlans();
    LoadHolidays();
    CreateView();
    return true;
}

void CDurmetDlg::ReadChimeSetting() {
    RemindOnHour = app_.Settings().ReadDword("RemindOnHour").value_or(1) != 0;
}

void CDurmetDlg::LoadRunLog() {
    bootTag_ = CurrentBootTag();
    LoadedRunLog loaded = veltaro::LoadRunLog(clock_, bootTag_, app_.DataFolder);
    RunLog = std::move(loaded.pastRuns);
    CurrentRun = loaded.currentRun;
    earlierRuns_ = loaded.earlierRuns;
}

void CDurmetDlg::StartHeartbeat() {
    HeartbeatSetup setup{app_.DataFolder, bootTag_, earlierRuns_};
    ThreadHandles.emplace_back(
        [this, setup = std::move(setup)] { HeartbeatThread(CurrentRun, clock_, ExitFlag, setup); });
}

void CDurmetDlg::LoadRemindPlans() {
    const std::int64_t now = clock_.NowSeconds();
    ReportDataDocumentLoad(
        std::cerr, RemindFilePath(app_.DataFolder),
        LoadRemindFile(RemindDocument, app_.DataFolder, DataDocumentUse::kMend, now));
    RemindSchedule = BuildRemindSchedule(RemindDocument, LocalDateTimeFromTm(LocalTime(now)));
}

void CDurmetDlg::LoadHolidays() {
    const std::filesystem::path file = app_.DataFolder / kHolidayFileName;
    // An installed program ships its festivals; they seed a user's first file.
    const DataDocumentContent fresh = {kDefaultHolidayFileText,
                                       ShippedDataFolder(app_.ProgramDirectory) / kHolidayFileName};
    ReportDataDocumentLoad(std::cerr, file,
                           LoadDataDocument(HolidayDocument, file, fresh, DataDocumentUse::kMend,
                                            clock_.NowSeconds()));
}

void CDurmetDlg::CreateView() {
    view_ = new MainWindowView(RunLog, CurrentRun, app_.AppLanguage, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    // A fixed size that always fits the content, whatever fonts the desktop's style brings.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    view_->ShowStartupPage();
}

void CDurmetDlg::RetranslateHistory() {
    view_->RetranslateHistory();
}

int CDurmetDlg::OnCommand(int command) {
    switch (command) {
        case kCommandExit:
            ExitProgram();
            break;
        case kCommandShowMainWindow:
            ShowMainWindow();
            break;
        case kCommandHide:
            hide();
            break;
        default:
            break;
    }
    return 0;
}

void CDurmetDlg::ShowMainWindow() {
    view_->ShowToday(HolidayDocument, DateOf(LocalDateTimeFromTm(LocalTime(clock_.NowSeconds()))));
    layout()->activate();
    // Centred the first time; afterwards it comes back where the user dragged it.
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!placed_ && screen != nullptr) {
        move(screen->availableGeometry().center() - rect().center());
        placed_ = true;
    }
    showNormal();
    raise();
    activateWindow();
}

void CDurmetDlg::ExitProgram() {
    if (exited_) {
        return;
    }
    exited_ = true;
    ExitFlag.Set();
    for (std::thread& thread : ThreadHandles) {
        thread.join();
    }
    ThreadHandles.clear();
    RemindSchedule.clear();
    hide();
    SaveSettings();
    QCoreApplication::quit();
}

void CDurmetDlg::SaveSettings() {
    ReportIfUnsaved(app_.Settings().Write(
        {{"HWND", DwordSetting(0)},
         {"Background", StringSetting(app_.BackgroundPath)},
         {"Language", DwordSetting(static_cast<std::uint32_t>(app_.AppLanguage))},
         {"RemindOnHour", DwordSetting(RemindOnHour ? 1 : 0)}}));
}

void CDurmetDlg::closeEvent(QCloseEvent* event) {
    event->ignore();
    hide();
}

void CDurmetDlg::reject() {
    hide();
}

}  // namespace veltaro
