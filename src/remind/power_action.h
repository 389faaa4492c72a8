#pragma once

#include <string>

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

// The action's name in the editor's action list ("Restore(PowerOn)" / "恢复(开机)" for 7). A code
// outside the list is shown as its decimal number, so a hand-edited plan still says what it holds.
std::string PowerActionEditorName(int action, int language);

// The action's name in the alert ("Restore" / "恢复" for 7); the decimal number outside the list.
std::string PowerActionAlertName(int action, int language);

}  // namespace veltaro
