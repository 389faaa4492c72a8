#include "program_sandbox.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <thread>

#include "platform/instance_channel.h"

namespace veltaro::testing {
namespace {

namespace fs = std::filesystem;

}  // namespace

ProgramSandbox::ProgramSandbox(const fs::path& program)
    : programFolder_(root_.Path() / "program"),
      programFile_(programFolder_ / program.filename()),
      configHome_(root_.Path() / "config"),
      dataHome_(root_.Path() / "data"),
      runtimeDir_(root_.Path() / "runtime") {
    for (const fs::path& folder : {programFolder_, configHome_, dataHome_, runtimeDir_}) {
        fs::create_directories(folder);
    }
    fs::permissions(runtimeDir_, fs::perms::owner_all, fs::perm_options::replace);
    fs::copy_file(program, programFile_);
}

ProgramSandbox::~ProgramSandbox() {
    for (const pid_t pid : started_) {
        if (IsAlive(pid)) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
    }
}

pid_t ProgramSandbox::Start(const std::vector<std::string>& changes) {
    std::vector<std::string> environment = {"XDG_CONFIG_HOME=" + configHome_.string(),
                                            "XDG_DATA_HOME=" + dataHome_.string(),
                                            "XDG_RUNTIME_DIR=" + runtimeDir_.string(),
                                            "HOME=" + root_.Path().string(),
                                            "QT_QPA_PLATFORM=offscreen",
                                            "TZ=Asia/Shanghai",
                                            "LC_ALL=C.UTF-8"};
    if (const char* bus = std::getenv("DBUS_SESSION_BUS_ADDRESS")) {
        environment.push_back(std::string("DBUS_SESSION_BUS_ADDRESS=") + bus);
    }
    for (const std::string& change : changes) {
        const std::string name = change.substr(0, change.find('='));
        std::erase_if(environment, [&name](const std::string& entry) {
            return entry.compare(0, name.size() + 1, name + "=") == 0;
        });
        if (change.find('=') != std::string::npos) {
            environment.push_back(change);
        }
    }
    const std::string program = programFile_.string();
    const pid_t pid = ::fork();
    if (pid == 0) {
        std::vector<char*> envp;
        for (std::string& entry : environment) {
            envp.push_back(entry.data());
        }
        envp.push_back(nullptr);
        char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
        ::execve(program.c_str(), argv, envp.data());
        ::_exit(127);
    }
    started_.push_back(pid);
    return pid;
}

FileSettingsStore ProgramSandbox::Settings() const {
    return FileSettingsStore(configHome_ / "veltaro" / "settings.reg");
}

std::optional<std::uint32_t> ProgramSandbox::Hwnd() const {
    return Settings().ReadFourBytes("HWND");
}

namespace {

bool WaitFor(const ProgramSandbox& sandbox, pid_t pid, std::chrono::milliseconds timeout,
             const std::function<bool()>& ready) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        if (ready()) {
            return true;
        }
        if (!sandbox.IsAlive(pid)) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

}  // namespace

bool ProgramSandbox::WaitUntilRunning(pid_t pid, std::chrono::milliseconds timeout) {
    return WaitFor(*this, pid, timeout, [&] { return Hwnd() == static_cast<std::uint32_t>(pid); });
}

bool ProgramSandbox::WaitUntilListening(pid_t pid, std::chrono::milliseconds timeout) {
    const std::filesystem::path socket = InstanceSocketPath(runtimeDir_, pid);
    return WaitFor(*this, pid, timeout, [&] { return std::filesystem::exists(socket); });
}

std::optional<int> ProgramSandbox::WaitForExit(pid_t pid, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    int status = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    return std::nullopt;
}

bool ProgramSandbox::IsAlive(pid_t pid) const {
    // A child that ended but was not reaped yet is a zombie, not alive.
    siginfo_t info{};
    if (::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
        info.si_pid == pid) {
        return false;
    }
    return ::kill(pid, 0) == 0;
}

}  // namespace veltaro::testing
