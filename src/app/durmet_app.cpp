#include "app/durmet_app.h"

#include <malloc.h>
#include <unistd.h>

#include <QDBusConnection>
#include <chrono>
#include <thread>

#include "app/command_ids.h"
#include "app/durmet_dlg.h"
#include "app/instance_server.h"
#include "app/session_end_watcher.h"
#include "platform/autostart.h"
#include "platform/file_lock.h"
#include "platform/instance_channel.h"
#include "platform/locale_language.h"
#include "platform/program_folder.h"
#include "platform/xdg_folders.h"

namespace veltaro {
namespace {

constexpr char kVersion[] = "6.0";
// The old instance answers once its exit steps are done; this only guards against a hung one.
constexpr std::chrono::seconds kHandOverTimeout{30};
constexpr int kHandOverPolls = 50;
constexpr std::chrono::milliseconds kHandOverPollInterval{20};

}  // namespace

CDurmetApp::CDurmetApp() : settings_(std::make_unique<FileSettingsStore>(DefaultSettingsPath())) {}

CDurmetApp::~CDurmetApp() = default;

bool CDurmetApp::InitInstance() {
    // Watched from the start: an end requested while starting waits in the watcher until the
    // event loop runs, and then gets the orderly exit like any other.
    sessionEndWatcher_ = std::make_unique<SessionEndWatcher>();
    // There is no debug privilege to enable: a user reads their own processes, root reads all.
    AppLanguage = UserLanguageId();
    const std::string programPath = RunningProgramPath();
    RegisterLogonEntry(programPath);
    ProgramDirectory = DirectoryOfProgramPath(programPath);
    DataFolder = DataDirectory(ProgramDirectory, DataHome());
    WriteFixedSettings();
    ReadBackground();
    {
        // Two starts at the same moment take turns from the hand-over to the writing of "HWND",
        // so that exactly one instance remains and the previous run is merged once.
        const FileLock startLock(DataFolder / ".veltaro.lock");
        const bool handedOver = HandOverFromPreviousInstance();
        ReadLanguage();
        if (handedOver) {
            WaitForPreviousInstanceToClear();
        }
        CreateMainWindow();
        ListenForCommands();
        Settings().WriteDword("HWND", static_cast<std::uint32_t>(::getpid()));
    }
    ::malloc_trim(0);
    return true;
}

void CDurmetApp::RegisterLogonEntry(const std::string& programPath) {
    const std::filesystem::path configHome = ConfigHome();
    if (!programPath.empty() && !configHome.empty()) {
        WriteAutostartEntry(AutostartEntryPath(configHome), programPath);
    }
}

void CDurmetApp::WriteFixedSettings() {
    settings_->Write(
        {{"Path", StringSetting(ProgramDirectory)}, {"Version", StringSetting(kVersion)}});
}

void CDurmetApp::ReadBackground() {
    BackgroundPath = ProgramDirectory + "Background.bmp";
    if (std::optional<std::string> stored = settings_->ReadPathString("Background")) {
        BackgroundPath = std::move(*stored);
    }
}

// Asks the instance recorded in "HWND" to exit; true when one answered, i.e. it has run its exit
// steps. A stale id has nobody listening and costs no wait.
bool CDurmetApp::HandOverFromPreviousInstance() {
    const std::uint32_t previous = settings_->ReadFourBytes("HWND").value_or(0);
    if (previous == 0 || previous == static_cast<std::uint32_t>(::getpid())) {
        return false;
    }
    const std::filesystem::path socket =
        InstanceSocketPath(RuntimeDir(), static_cast<int>(previous));
    return SendInstanceCommand(socket, kCommandExit, kHandOverTimeout) == SendOutcome::Answered;
}

void CDurmetApp::WaitForPreviousInstanceToClear() {
    for (int poll = 0; poll < kHandOverPolls; ++poll) {
        std::this_thread::sleep_for(kHandOverPollInterval);
        if (settings_->ReadFourBytes("HWND").value_or(0) == 0) {
            return;
        }
    }
}

void CDurmetApp::ReadLanguage() {
    if (const std::optional<std::uint32_t> stored = settings_->ReadDword("Language")) {
        AppLanguage = static_cast<int>(*stored);
    }
}

void CDurmetApp::CreateMainWindow() {
    mainWindow_ = std::make_unique<CDurmetDlg>(*this);
    mainWindow_->OnInitDialog();
    sessionEndWatcher_->watchLogind(QDBusConnection::systemBus());
    QObject::connect(sessionEndWatcher_.get(), &SessionEndWatcher::endRequested, mainWindow_.get(),
                     [this] { mainWindow_->OnCommand(kCommandExit); });
}

void CDurmetApp::ListenForCommands() {
    const std::filesystem::path socket = InstanceSocketPath(RuntimeDir(), ::getpid());
    if (std::unique_ptr<InstanceListener> listener = InstanceListener::Listen(socket)) {
        instanceServer_ = std::make_unique<InstanceServer>(
            std::move(listener), [this](int command) { return mainWindow_->OnCommand(command); });
    }
}

}  // namespace veltaro
