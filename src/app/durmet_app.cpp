#include "app/durmet_app.h"

#include <malloc.h>
#include <unistd.h>

#include <QDBusConnection>
#include <chrono>
#include <thread>
#include <vector>

#include "app/command_ids.h"
#include "app/durmet_dlg.h"
#include "app/instance_server.h"
#include "app/session_end_watcher.h"
#include "platform/autostart.h"
#include "platform/file_lock.h"
#include "platform/instance_channel.h"
#include "platform/locale_language.h"
#include "platform/problem_report.h"
#include "platform/program_folder.h"
#include "platform/xdg_folders.h"
#include "xml/data_document.h"

namespace veltaro {
namespace {

constexpr char kVersion[] = "6.0";
// The old instance answers once its exit steps are done; this only guards against a hung one.
constexpr std::chrono::seconds kHandOverTimeout{30};
constexpr int kHandOverPolls = 50;
constexpr std::chrono::milliseconds kHandOverPollInterval{20};

}  // namespace

void ReportIfUnsaved(bool saved) {
    if (!saved) {
        ReportProblemOnce("settings", "cannot save the settings in " +
                                          DefaultSettingsPath().string() +
                                          "; the program runs on without saving them");
    }
}

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
        const std::optional<int> previous = HandOverFromPreviousInstance();
        ReadLanguage();
        if (previous) {
            WaitForPreviousInstanceToClear(*previous);
        }
        CreateMainWindow();
        ListenForCommands();
        ReportIfUnsaved(Settings().WriteDword("HWND", static_cast<std::uint32_t>(::getpid())));
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
    ReportIfUnsaved(settings_->Write(
        {{"Path", StringSetting(ProgramDirectory)}, {"Version", StringSetting(kVersion)}}));
}

// The menu's picture lives with the data files; an installed program seeds the user's first copy
// from the one it ships.
void CDurmetApp::ReadBackground() {
    const std::filesystem::path beside = DataFolder / "Background.bmp";
    const std::filesystem::path shipped = ShippedDataFolder(ProgramDirectory) / "Background.bmp";
    std::error_code ignored;
    if (!std::filesystem::exists(beside, ignored) && std::filesystem::exists(shipped, ignored) &&
        std::filesystem::copy_file(shipped, beside, ignored)) {
        std::filesystem::permissions(beside, std::filesystem::perms::owner_read |
                                                 std::filesystem::perms::owner_write,
                                     ignored);
    }
    BackgroundPath = beside.string();
    if (std::optional<std::string> stored = settings_->ReadPathString("Background")) {
        BackgroundPath = std::move(*stored);
    }
}

// Asks the running instance to exit; its id when one answered, i.e. it has run its exit steps. It
// is the one in "HWND", or, when the settings can't tell (unwritable, missing, stale), whichever
// instance socket answers: one instance must not depend on a writable settings file. Sockets that
// nobody answers were left by a killed instance and go.
std::optional<int> CDurmetApp::HandOverFromPreviousInstance() {
    const int self = ::getpid();
    const auto recorded = static_cast<int>(settings_->ReadFourBytes("HWND").value_or(0));
    std::vector<int> candidates = InstanceSocketIds(RuntimeDir());
    if (recorded > 0) {
        std::erase(candidates, recorded);
        candidates.insert(candidates.begin(), recorded);
    }
    std::optional<int> handedOver;
    for (const int id : candidates) {
        if (id == self) {
            continue;
        }
        const std::filesystem::path socket = InstanceSocketPath(RuntimeDir(), id);
        switch (SendInstanceCommand(socket, kCommandExit, kHandOverTimeout)) {
            case SendOutcome::Answered:
                handedOver = id;
                break;
            case SendOutcome::NobodyListening: {
                std::error_code ignored;
                std::filesystem::remove(socket, ignored);
                break;
            }
            case SendOutcome::NoAnswer:
                break;
        }
    }
    return handedOver;
}

// Until "HWND" is cleared, or, where the settings can't be written, the old instance's socket is
// gone.
void CDurmetApp::WaitForPreviousInstanceToClear(int previous) {
    const std::filesystem::path socket = InstanceSocketPath(RuntimeDir(), previous);
    for (int poll = 0; poll < kHandOverPolls; ++poll) {
        std::this_thread::sleep_for(kHandOverPollInterval);
        std::error_code ignored;
        if (settings_->ReadFourBytes("HWND").value_or(0) == 0 ||
            !std::filesystem::exists(socket, ignored)) {
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
