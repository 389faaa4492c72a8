#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "platform/settings_store.h"

namespace veltaro {

inline constexpr std::string_view kOpenUsage = "show|calendar|process|remind|about|usage|exit";
inline constexpr std::string_view kOpenSummary =
    "has the running Veltaro open a window (the main window, the perpetual calendar, the process "
    "manager, the remind plans, the about box) or exit; for desktops without a tray and for key "
    "bindings";

// The command number behind a window name of `open`.
std::optional<int> OpenCommandNumber(std::string_view window);

// `open` against the instance recorded in `settings`, listening under `runtimeDir`.
int RunOpenCommand(std::span<const std::string> arguments, const SettingsStore& settings,
                   const std::filesystem::path& runtimeDir, std::ostream& out, std::ostream& err);

// The same for the user's own running instance.
int OpenCommand(std::span<const std::string> arguments, std::ostream& out, std::ostream& err);

}  // namespace veltaro
