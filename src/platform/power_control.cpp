#include "platform/power_control.h"

#include <cstdio>

namespace veltaro {

bool ShutdownPrivilegeEnabled = false;

bool EnableShutdownPrivilege() {
    ShutdownPrivilegeEnabled = true;
    return true;
}

bool RunPowerCommand(PowerControl& control, PowerCommand command) {
    if (!ShutdownPrivilegeEnabled) {
        EnableShutdownPrivilege();
    }
    const bool done = control.Perform(command);
    if (!done) {
        std::fprintf(stderr, "Veltaro: the %s command was refused or could not be sent\n",
                     PowerCommandName(command));
    }
    return done;
}

const char* PowerCommandName(PowerCommand command) {
    switch (command) {
        case PowerCommand::Logoff:
            return "log off";
        case PowerCommand::Restart:
            return "restart";
        case PowerCommand::Shutdown:
            return "shutdown";
        case PowerCommand::Lock:
            return "lock";
        case PowerCommand::Hibernate:
            return "hibernate";
        case PowerCommand::Standby:
            return "stand by";
        case PowerCommand::MonitorOff:
            return "monitor off";
    }
    return "power";
}

}  // namespace veltaro
