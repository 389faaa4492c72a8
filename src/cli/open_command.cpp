#include "cli/open_command.h"

#include "cli/operand_text.h"

#include "app/command_ids.h"
#include "cli/command_status.h"
#include "cli/subcommand.h"
#include "platform/instance_channel.h"
#include "platform/xdg_folders.h"

namespace veltaro {
namespace {

constexpr std::string_view kCommand = "open";
// The instance answers once the command is dispatched; Exit answers after its exit steps, which
// may take a moment on a busy computer.
constexpr std::chrono::seconds kAnswerTimeout{30};

struct WindowName {
    std::string_view name;
    int command;
};

constexpr WindowName kWindows[] = {
    {"show", kCommandShowMainWindow},
    {"calendar", kCommandPerpetualCalendar},
    {"process", kCommandProcessManager},
    {"remind", kCommandRemindPlan},
    {"about", kCommandAbout},
    {"usage", kCommandUsage},
    {"exit", kCommandExit},
};

int ReportNotRunning(std::ostream& err) {
    err << "veltaro-cli open: Veltaro is not running\n";
    return kExitUnreadable;
}

}  // namespace

std::optional<int> OpenCommandNumber(std::string_view window) {
    for (const WindowName& entry : kWindows) {
        if (entry.name == window) {
            return entry.command;
        }
    }
    return std::nullopt;
}

int RunOpenCommand(std::span<const std::string> arguments, const SettingsStore& settings,
                   const std::filesystem::path& runtimeDir, std::ostream& out, std::ostream& err) {
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
        out << "usage: veltaro-cli open " << kOpenUsage << '\n';
        return kExitDone;
    }
    if (arguments.size() != 1) {
        return ReportBadArguments(kCommand, "expects one of " + std::string(kOpenUsage), err);
    }
    const std::optional<int> command = OpenCommandNumber(arguments[0]);
    if (!command) {
        return ReportBadArguments(
            kCommand,
            "unknown window " + QuotedInput(arguments[0]) + "; one of " + std::string(kOpenUsage),
            err);
    }
    const std::uint32_t pid = settings.ReadFourBytes("HWND").value_or(0);
    if (pid == 0) {
        return ReportNotRunning(err);
    }
    const SendOutcome outcome = SendInstanceCommand(
        InstanceSocketPath(runtimeDir, static_cast<int>(pid)), *command, kAnswerTimeout);
    switch (outcome) {
        case SendOutcome::Answered:
            return kExitDone;
        case SendOutcome::NobodyListening:
            return ReportNotRunning(err);
        case SendOutcome::NoAnswer:
            return ReportUnreadable(kCommand, "the running Veltaro did not answer", err);
    }
    return kExitUnreadable;
}

int OpenCommand(std::span<const std::string> arguments, std::ostream& out, std::ostream& err) {
    return RunOpenCommand(arguments, FileSettingsStore(DefaultSettingsPath()), RuntimeDir(), out,
                          err);
}

}  // namespace veltaro
