#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "platform/settings_store.h"

namespace veltaro {

class CDurmetDlg;
class InstanceServer;
class SessionEndWatcher;

// The application object: prepares the process, hands over from a previous instance and creates
// the hidden main window. There is never more than one instance: a new one replaces the old.
class CDurmetApp {
public:
    CDurmetApp();
    ~CDurmetApp();
    CDurmetApp(const CDurmetApp&) = delete;
    CDurmetApp& operator=(const CDurmetApp&) = delete;

    // Runs the start-up steps; true when the event loop should run.
    bool InitInstance();

    // The interface language: 4 selects Chinese, anything else English.
    int AppLanguage = 9;
    // The program's folder, with its trailing '/'.
    std::string ProgramDirectory;
    // Where the data files live: ProgramDirectory, or the user's data folder when that is
    // read-only.
    std::filesystem::path DataFolder;
    // The tray menu's background picture.
    std::string BackgroundPath;

    SettingsStore& Settings() { return *settings_; }

private:
    void RegisterLogonEntry(const std::string& programPath);
    void WriteFixedSettings();
    void ReadBackground();
    std::optional<int> HandOverFromPreviousInstance();
    void WaitForPreviousInstanceToClear(int previous);
    void ReadLanguage();
    void CreateMainWindow();
    void ListenForCommands();

    std::unique_ptr<SettingsStore> settings_;
    std::unique_ptr<CDurmetDlg> mainWindow_;
    std::unique_ptr<InstanceServer> instanceServer_;
    std::unique_ptr<SessionEndWatcher> sessionEndWatcher_;
};

// Says once on stderr that the settings could not be saved, when `saved` is false.
void ReportIfUnsaved(bool saved);

}  // namespace veltaro
