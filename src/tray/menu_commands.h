#pragma once

#include <optional>

#include "platform/power_control.h"

namespace veltaro {

// The power command behind a menu command number (the "Shutdown" submenu), if any.
std::optional<PowerCommand> PowerCommandOfMenu(int command);

// The interface language a menu command switches to (4 Chinese, 9 English), if any.
std::optional<int> LanguageOfMenu(int command);

}  // namespace veltaro
