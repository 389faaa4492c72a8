#include "tray/menu_commands.h"

#include <gtest/gtest.h>

#include "tray/tray_menu.h"

namespace veltaro {
namespace {

TEST(MenuCommands, EveryShutdownSubmenuItemHasItsPowerCommand) {
    const struct {
        int command;
        PowerCommand power;
    } cases[] = {
        {32787, PowerCommand::Logoff},     {32792, PowerCommand::Restart},
        {32788, PowerCommand::Shutdown},   {32791, PowerCommand::Lock},
        {32789, PowerCommand::Hibernate},  {32790, PowerCommand::Standby},
        {32794, PowerCommand::MonitorOff},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PowerCommandOfMenu(c.command), c.power) << c.command;
    }
    // The rest of the menu (Exit included, though it sits in the same submenu) is no power
    // command.
    for (const MenuItem& item : BuildTrayMenu({})) {
        if (item.kind == MenuItemKind::Command) {
            EXPECT_FALSE(PowerCommandOfMenu(item.command)) << item.command;
        }
    }
    EXPECT_FALSE(PowerCommandOfMenu(32785));
}

TEST(MenuCommands, LanguageItemsSetChineseOrEnglish) {
    EXPECT_EQ(LanguageOfMenu(32823), 4);
    EXPECT_EQ(LanguageOfMenu(32822), 9);
    EXPECT_FALSE(LanguageOfMenu(32821));
    EXPECT_FALSE(LanguageOfMenu(32814));
}

}  // namespace
}  // namespace veltaro
