#pragma once

#include <ctime>
#include <string>

namespace veltaro {

// "Veltaro 6.0\nLocal Time: 2026/03/14 08:30 Saturday..." in the language's words (UTF-8).
std::string TrayToolTip(const std::tm& local, int language);

// The hourly chime's body for `hour` (0-23, never reduced to 12 hours).
std::string ChimeText(int hour, int language);

// The chime's summary line, the same in both languages.
inline constexpr char kChimeSummary[] = "Veltaro";

}  // namespace veltaro
