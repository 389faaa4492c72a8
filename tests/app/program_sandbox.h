#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/settings_store.h"
#include "temp_folder.h"

namespace veltaro::testing {

// A private copy of a program (the real `veltaro` unless told otherwise) with its own data,
// settings and runtime folders, started on Qt's offscreen platform: the program finds its data
// beside itself, as installed by hand.
class ProgramSandbox {
public:
    explicit ProgramSandbox(const std::filesystem::path& program = VELTARO_PROGRAM);
    ~ProgramSandbox();

    // `changes` are "NAME=value" to set or replace a variable, or "NAME" to remove it.
    pid_t Start(const std::vector<std::string>& changes = {});
    // Waits until `pid` has written itself into "HWND" (its start-up is complete).
    bool WaitUntilRunning(pid_t pid, std::chrono::milliseconds timeout = std::chrono::seconds(20));
    // Waits until `pid` listens on its instance socket: running, whether or not its settings
    // can be written.
    bool WaitUntilListening(pid_t pid,
                            std::chrono::milliseconds timeout = std::chrono::seconds(20));
    // The exit status, or nullopt when it did not end in time (it is then killed).
    std::optional<int> WaitForExit(pid_t pid,
                                   std::chrono::milliseconds timeout = std::chrono::seconds(20));
    bool IsAlive(pid_t pid) const;

    const std::filesystem::path& ProgramFolder() const { return programFolder_; }
    const std::filesystem::path& ProgramFile() const { return programFile_; }
    const std::filesystem::path& ConfigHome() const { return configHome_; }
    const std::filesystem::path& DataHome() const { return dataHome_; }
    const std::filesystem::path& RuntimeDir() const { return runtimeDir_; }
    FileSettingsStore Settings() const;
    std::optional<std::uint32_t> Hwnd() const;

private:
    TempFolder root_;
    std::filesystem::path programFolder_;
    std::filesystem::path programFile_;
    std::filesystem::path configHome_;
    std::filesystem::path dataHome_;
    std::filesystem::path runtimeDir_;
    std::vector<pid_t> started_;
};

}  // namespace veltaro::testing
