#include "remind/power_action.h"

#include <array>
#include <string_view>

#include "platform/interface_language.h"

namespace veltaro {
namespace {

struct ActionNames {
    std::string_view english;
    std::string_view chinese;
};

using ActionNameList = std::array<ActionNames, kPowerActionCount>;

constexpr ActionNameList kEditorNames = {{
    {"", ""},
    {"Remind", "提醒"},
    {"Shutdown", "关机"},
    {"Restart", "重启"},
    {"Logoff", "注销"},
    {"Hibernate", "休眠"},
    {"Standby", "待机"},
    {"Restore(PowerOn)", "恢复(开机)"},
}};

constexpr ActionNameList kAlertNames = {{
    {"", ""},
    {"Remind", "提醒"},
    {"Shutdown", "关机"},
    {"Restart", "重启"},
    {"Logoff", "注销"},
    {"Hibernate", "休眠"},
    {"Standby", "待机"},
    {"Restore", "恢复"},
}};

std::string NameIn(const ActionNameList& names, int action, int language) {
    if (action < 0 || action >= kPowerActionCount) {
        return std::string(kUnknownPowerActionName);
    }
    const ActionNames& entry = names[static_cast<std::size_t>(action)];
    return std::string(ShowsChineseTexts(language) ? entry.chinese : entry.english);
}

}  // namespace

std::string PowerActionEditorName(int action, int language) {
    return NameIn(kEditorNames, action, language);
}

std::string PowerActionAlertName(int action, int language) {
    return NameIn(kAlertNames, action, language);
}

std::optional<PowerCommand> PowerCommandOfAction(int action) {
    switch (action) {
        case kPowerActionShutdown:
            return PowerCommand::Shutdown;
        case kPowerActionRestart:
            return PowerCommand::Restart;
        case kPowerActionLogoff:
            return PowerCommand::Logoff;
        case kPowerActionHibernate:
            return PowerCommand::Hibernate;
        case kPowerActionStandby:
            return PowerCommand::Standby;
        default:
            return std::nullopt;
    }
}

}  // namespace veltaro
