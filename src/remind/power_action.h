#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/power_control.h"

namespace veltaro {

// The action code stored in a plan: the index of the entry in the editor's action list, whose
// first entry is empty. A hand-edited file may hold any other number; it is kept as it is.
enum PowerAction : int {
    kPowerActionNone = 0,
    kPowerActionRemind = 1,
    kPowerActionShutdown = 2,
    kPowerActionRestart = 3,
    kPowerActionLogoff = 4,
    kPowerActionHibernate = 5,
    kPowerActionStandby = 6,
    kPowerActionRestorePowerOn = 7,
};

inline constexpr int kPowerActionCount = 8;

// The name of a code outside the list (only a hand-edited file holds one).
inline constexpr std::string_view kUnknownPowerActionName = "?";

// The action's name in the editor's action list ("Restore(PowerOn)" / "恢复(开机)" for 7); "?"
// for a code outside the list.
std::string PowerActionEditorName(int action, int language);

// The action's name in the alert ("Restore" / "恢复" for 7); "?" for a code outside the list.
std::string PowerActionAlertName(int action, int language);

// The power command an accepted alert carries out: codes 2 to 6. None for 0 (nothing), 1
// (Remind), 7 (Restore(PowerOn), whose work is the wake-up) and codes outside the list.
std::optional<PowerCommand> PowerCommandOfAction(int action);

}  // namespace veltaro
