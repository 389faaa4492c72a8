#pragma once

#include <QDialog>
#include <filesystem>
#include <memory>
#include <thread>
#include <vector>

#include "platform/clock.h"
#include "platform/exit_signal.h"
#include "platform/power_control.h"
#include "plugins/plugin_host.h"
#include "recorder/past_runs.h"
#include "recorder/run_log.h"
#include "recorder/run_record.h"
#include "remind/remind_schedule.h"
#include "xml/tessvar_xml_parse.h"

namespace veltaro {

class CDurmetApp;
class TrayHost;
class MainWindowView;
class PluginDiscovery;
class RemindHost;
class TimeZoneWatch;

// The hidden hub of the program: owns the run log, the worker threads and the flag that stops
// them, and carries out the menu commands by number. Closing it only hides it; the Exit command
// is the one orderly way the program ends.
class CDurmetDlg : public QDialog {
    Q_OBJECT

public:
    explicit CDurmetDlg(CDurmetApp& app);
    ~CDurmetDlg() override;

    // The start-up steps of the window; it stays hidden.
    bool OnInitDialog();
    // Carries out a menu command; the result goes back to whoever sent it. A command that opens a
    // window returns once the opening is queued, so its sender does not wait for the window.
    int OnCommand(int command);
    void ExitProgram();
    void ShowMainWindow();
    // Re-labels the run history and its buttons in the current AppLanguage (the language
    // commands call it).
    void RetranslateHistory();

    ExitSignal ExitFlag;
    std::vector<std::thread> ThreadHandles;
    bool RemindOnHour = true;
    RunRecord CurrentRun;
    PastRuns RunLog;
    CTessvarXmlParse RemindDocument;
    CTessvarXmlParse HolidayDocument;
    veltaro::RemindSchedule RemindSchedule;
    // Tray menus open at the moment; memory is not trimmed meanwhile.
    int MenuOpenCount = 0;
    PluginHost Plugins;

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void ReadChimeSetting();
    void LoadRunLog();
    void StartHeartbeat();
    void LoadRemindPlans();
    void LoadHolidays();
    void StartTray();
    // The window's content, made when it is first shown.
    void CreateView();
    void SaveSettings();
    void RunPowerCommand(PowerCommand command);
    void ToggleChime();
    void SetLanguage(int language);
    void OpenAboutBox();
    void OpenUsageWindow();
    void OpenCalendar();
    // Today's history page or holidays page (32824, 32825) in the default browser.
    void OpenTodayPage(int command);
    void OpenProcessManager();
    void StartReminders();
    void WatchTimeZone();
    void OpenRemindEditor();
    void CloseOpenToolWindows();
    std::vector<std::filesystem::path> PluginFolders() const;
    void RegisterPluginFiles();
    void StartPluginDiscovery();

    CDurmetApp& app_;
    SystemClock clock_;
    std::uint32_t bootTag_ = 0;
    // What the start-up left to the heartbeat: earlier runs that still wait for the log.
    EarlierRunsState earlierRuns_;
    std::unique_ptr<TrayHost> tray_;
    std::unique_ptr<PowerControl> power_;
    std::unique_ptr<RemindHost> remind_;
    std::unique_ptr<TimeZoneWatch> zoneWatch_;
    bool exited_ = false;
    MainWindowView* view_ = nullptr;
    std::unique_ptr<PluginDiscovery> pluginDiscovery_;
    bool placed_ = false;
};

// The one main window, through which the rest of the program reaches the shared state.
extern CDurmetDlg* MainWindowPtr;

}  // namespace veltaro
