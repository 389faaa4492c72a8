#include "tray/menu_commands.h"

#include "app/command_ids.h"
#include "platform/interface_language.h"

namespace veltaro {

std::optional<PowerCommand> PowerCommandOfMenu(int command) {
    switch (command) {
        case kCommandLogoff:
            return PowerCommand::Logoff;
        case kCommandRestart:
            return PowerCommand::Restart;
        case kCommandShutdown:
            return PowerCommand::Shutdown;
        case kCommandLock:
            return PowerCommand::Lock;
        case kCommandHibernate:
            return PowerCommand::Hibernate;
        case kCommandStandby:
            return PowerCommand::Standby;
        case kCommandMonitorOff:
            return PowerCommand::MonitorOff;
        default:
            return std::nullopt;
    }
}

std::optional<int> LanguageOfMenu(int command) {
    switch (command) {
        case kCommandChinese:
            return kLanguageChinese;
        case kCommandEnglish:
            return kLanguageEnglish;
        default:
            return std::nullopt;
    }
}

}  // namespace veltaro
