#include "app/durmet_dlg.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QScreen>
#include <QSocketNotifier>
#include <QUrl>
#include <QVBoxLayout>
#include <iostream>

#include "app/about_dlg.h"
#include "app/app_icon.h"
#include "app/calendar/quorvane_calendar_dlg.h"
#include "app/command_ids.h"
#include "app/durmet_app.h"
#include "app/main_window_view.h"
#include "app/plugin_discovery.h"
#include "app/process/process_dlg.h"
#include "app/remind/remind_host.h"
#include "app/run_history_view.h"
#include "app/tray_host.h"
#include "app/usage/usage_dlg.h"
#include "calendar/holidays.h"
#include "platform/boot_tag.h"
#include "platform/desktop_power_control.h"
#include "platform/program_folder.h"
#include "platform/time_zone_watch.h"
#include "platform/xdg_folders.h"
#include "plugins/plugin_folders.h"
#include "plugins/shared_library_plugin.h"
#include "recorder/heartbeat.h"
#include "recorder/run_log.h"
#include "remind/remind_file.h"
#include "tray/menu_commands.h"
#include "web/page_address.h"
#include "xml/data_document.h"

namespace veltaro {

CDurmetDlg* MainWindowPtr = nullptr;

CDurmetDlg::CDurmetDlg(CDurmetApp& app)
    : app_(app),
      power_(std::make_unique<DesktopPowerControl>(QDBusConnection::systemBus(),
                                                   QDBusConnection::sessionBus())) {
    MainWindowPtr = this;
    RegisterPluginFiles();
    setWindowTitle(QStringLiteral("Veltaro"));
    QApplication::setWindowIcon(AppIcon());
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
    StartTray();
    StartHeartbeat();
    LoadRemindPlans();
    StartReminders();
    WatchTimeZone();
    LoadHolidays();
    StartPluginDiscovery();
    return true;
}

// Beside the program when its folder takes the data files (a build or a portable copy), else the
// installed plug-ins and the user's own.
std::vector<std::filesystem::path> CDurmetDlg::PluginFolders() const {
    const bool programFolderWritable =
        std::filesystem::path(app_.ProgramDirectory) == app_.DataFolder;
    return veltaro::PluginFolders(app_.ProgramDirectory, programFolderWritable, DataHome());
}

// Each plug-in library registers itself at every start, so that a copied one needs no installer.
void CDurmetDlg::RegisterPluginFiles() {
    for (const std::filesystem::path& file : ListPluginFiles(PluginFolders())) {
        // A refused file is reported by the search that follows.
        if (RefusalOfPluginFile(file).empty()) {
            RegisterPluginLibrary(file);
        }
    }
}

void CDurmetDlg::StartPluginDiscovery() {
    pluginDiscovery_ = std::make_unique<PluginDiscovery>(
        PluginFolders(), [this](const std::filesystem::path& file) {
            if (std::unique_ptr<Plugin> plugin = LoadPluginLibrary(file)) {
                Plugins.AddPlugin(std::move(plugin), app_.AppLanguage);
            }
        });
    pluginDiscovery_->Start();
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

void CDurmetDlg::StartTray() {
    tray_ = std::make_unique<TrayHost>(*this, app_, clock_);
    tray_->Start();
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

void CDurmetDlg::StartReminders() {
    remind_ = std::make_unique<RemindHost>(
        RemindHost::Setup{RemindDocument, RemindSchedule, app_.DataFolder, app_.AppLanguage, clock_,
                          *power_, RemindHost::AlertTickFromEnvironment()});
    remind_->Start();
    remind_->WatchResume(QDBusConnection::systemBus());
}

// Local times computed before a change of the system's zone are wrong afterwards: the tray clock
// shows the new zone's time and the reminders fall due at their local time in it.
void CDurmetDlg::WatchTimeZone() {
    if (!FollowsSystemTimeZone()) {
        return;
    }
    zoneWatch_ = std::make_unique<TimeZoneWatch>();
    if (!zoneWatch_->IsOpen()) {
        return;
    }
    auto* notifier = new QSocketNotifier(zoneWatch_->Descriptor(), QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        // After the Exit command the tray is gone and the reminders stopped.
        if (zoneWatch_->ZoneChanged() && !exited_) {
            tray_->ClockChanged();
            remind_->Rebuild();
        }
    });
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
    connect(view_->History, &RunHistoryView::usageRequested, this,
            [this] { OnCommand(kCommandUsage); });
}

void CDurmetDlg::RetranslateHistory() {
    // A view made later is made in the language of its day.
    if (view_ != nullptr) {
        view_->RetranslateHistory();
    }
}

int CDurmetDlg::OnCommand(int command) {
    if (const std::optional<PowerCommand> power = PowerCommandOfMenu(command)) {
        RunPowerCommand(*power);
        return 0;
    }
    if (const std::optional<int> language = LanguageOfMenu(command)) {
        SetLanguage(*language);
        return 0;
    }
    if (Plugins.DispatchPluginCommand(command)) {
        return 0;
    }
    switch (command) {
        case kCommandExit:
            ExitProgram();
            break;
        case kCommandShowMainWindow:
            QMetaObject::invokeMethod(this, &CDurmetDlg::ShowMainWindow, Qt::QueuedConnection);
            break;
        case kCommandAbout:
            QMetaObject::invokeMethod(this, &CDurmetDlg::OpenAboutBox, Qt::QueuedConnection);
            break;
        case kCommandUsage:
            QMetaObject::invokeMethod(this, &CDurmetDlg::OpenUsageWindow, Qt::QueuedConnection);
            break;
        case kCommandPerpetualCalendar:
            QMetaObject::invokeMethod(this, &CDurmetDlg::OpenCalendar, Qt::QueuedConnection);
            break;
        case kCommandHistoryToday:
        case kCommandHolidayToday:
            OpenTodayPage(command);
            break;
        case kCommandProcessManager:
            QMetaObject::invokeMethod(this, &CDurmetDlg::OpenProcessManager, Qt::QueuedConnection);
            break;
        case kCommandRemindPlan:
            QMetaObject::invokeMethod(this, &CDurmetDlg::OpenRemindEditor, Qt::QueuedConnection);
            break;
        case kCommandHide:
            hide();
            break;
        case kCommandChime:
            ToggleChime();
            break;
        default:
            // The tool windows (32793, 32805) are in the menu already; they act once their windows
            // exist.
            break;
    }
    return 0;
}

void CDurmetDlg::RunPowerCommand(PowerCommand command) {
    veltaro::RunPowerCommand(*power_, command);
}

void CDurmetDlg::ToggleChime() {
    RemindOnHour = !RemindOnHour;
}

// Windows opened later and the next menu pick the language up by themselves; what is shown now is
// labelled again at once.
void CDurmetDlg::SetLanguage(int language) {
    app_.AppLanguage = language;
    tray_->Refresh();
    RetranslateHistory();
    Plugins.SetPluginLanguage(language);
}

void CDurmetDlg::OpenUsageWindow() {
    if (UsageWindowOpen) {
        return;
    }
    UsageWindowOpen = true;
    CQuorvaneUsageDlg usage(RunLog, CurrentRun, clock_, app_.AppLanguage);
    usage.exec();
    UsageWindowOpen = false;
}

void CDurmetDlg::OpenAboutBox() {
    if (AboutBoxOpen) {
        return;
    }
    AboutBoxOpen = true;
    CAboutDlg about(app_.AppLanguage);
    about.exec();
    AboutBoxOpen = false;
}

void CDurmetDlg::OpenCalendar() {
    if (CalendarWindowOpen) {
        return;
    }
    CalendarWindowOpen = true;
    CQuorvaneCalendarDlg calendar(HolidayDocument, app_.AppLanguage, clock_);
    calendar.exec();
    CalendarWindowOpen = false;
}

// The result of the open is not looked at: a missing browser changes nothing here.
void CDurmetDlg::OpenTodayPage(int command) {
    const LocalDate today = DateOf(LocalDateTimeFromTm(LocalTime(clock_.NowSeconds())));
    const int language = app_.AppLanguage;
    const std::string address =
        command == kCommandHistoryToday
            ? HistoryPageAddress(today.year, today.month, today.day, language)
            : HolidayPageAddress(today.year, today.month, today.day, kAllHolidays, kAllHolidays,
                                 language);
    QDesktopServices::openUrl(QUrl(QString::fromStdString(address)));
}

void CDurmetDlg::OpenProcessManager() {
    RunProcessManager(app_.AppLanguage);
}

void CDurmetDlg::OpenRemindEditor() {
    remind_->OpenEditor();
}

// A modal tool window runs its own event loop; it is ended first so that the exit steps run to
// their end and the program does not wait for a window nobody looks at.
void CDurmetDlg::CloseOpenToolWindows() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QDialog*>(widget);
        if (dialog != nullptr && dialog != this && dialog->isVisible()) {
            dialog->reject();
        }
    }
}

void CDurmetDlg::ShowMainWindow() {
    // Made at the first showing: laying out its texts loads fonts and text shaping that a program
    // living in the tray would otherwise keep resident all day (about 7 MiB) for a window many
    // users never open.
    if (view_ == nullptr) {
        CreateView();
    }
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
    CloseOpenToolWindows();
    // An open alert was closed above, unanswered: its action is not carried out.
    remind_->Stop();
    ExitFlag.Set();
    // Plug-ins go before the threads are waited for, as their search does.
    if (pluginDiscovery_) {
        pluginDiscovery_->Stop();
    }
    Plugins.UnloadPlugins();
    // The tray removes its icon as it ends.
    tray_.reset();
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
