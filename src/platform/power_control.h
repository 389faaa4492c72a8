#pragma once

namespace veltaro {

// The immediate actions on the computer and the session, shared by the tray menu and the remind
// alert. Log off, restart and shut down are forced: nobody is asked.
enum class PowerCommand { Logoff, Restart, Shutdown, Lock, Hibernate, Standby, MonitorOff };

class PowerControl {
public:
    virtual ~PowerControl() = default;
    // Carries the command out; false when the system refused or could not be reached.
    virtual bool Perform(PowerCommand command) = 0;
};

// Set once the shutdown privilege has been enabled; never reset.
extern bool ShutdownPrivilegeEnabled;

// Enables the right to end the session and power the computer down. On Linux logind decides on
// every call by itself, so there is nothing to enable and the step succeeds.
bool EnableShutdownPrivilege();

// One power command as every caller runs it: the privilege step while it has not succeeded, then
// the command. Nothing is shown to the user; a refused command is logged on stderr.
bool RunPowerCommand(PowerControl& control, PowerCommand command);

// The command's name in the log, e.g. "shutdown".
const char* PowerCommandName(PowerCommand command);

}  // namespace veltaro
