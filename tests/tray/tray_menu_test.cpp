#include "tray/tray_menu.h"

#include <gtest/gtest.h>

#include "app/command_ids.h"

namespace veltaro {
namespace {

std::vector<int> CommandsOf(const std::vector<MenuItem>& items) {
    std::vector<int> commands;
    for (const MenuItem& item : items) {
        commands.push_back(item.kind == MenuItemKind::Separator ? 0 : item.command);
    }
    return commands;
}

std::vector<std::string> CaptionsOf(const std::vector<MenuItem>& items) {
    std::vector<std::string> captions;
    for (const MenuItem& item : items) {
        captions.push_back(item.caption);
    }
    return captions;
}

const MenuItem& Find(const std::vector<MenuItem>& items, int command) {
    for (const MenuItem& item : items) {
        if (item.kind == MenuItemKind::Command && item.command == command) {
            return item;
        }
        for (const MenuItem& child : item.children) {
            if (child.command == command) {
                return child;
            }
        }
    }
    throw std::runtime_error("no item " + std::to_string(command));
}

TEST(TrayMenu, BothPopupsShareTheCommandNumbers) {
    const std::vector<MenuItem> english = BuildTrayMenu({.language = 9});
    const std::vector<MenuItem> chinese = BuildTrayMenu({.language = 4});
    const std::vector<int> top = {32813, 32807, 32793, 32805, 0,     32824, 32825,
                                  0,     32787, 32823, 0,     32821, 0,     32814};
    EXPECT_EQ(CommandsOf(english), top);
    EXPECT_EQ(CommandsOf(chinese), top);
    EXPECT_EQ(CaptionsOf(english),
              (std::vector<std::string>{
                  "&Calculagraph...", "&Perpetual Calendar...", "Process Manager...",
                  "Remind Plan...", "", "History Today...", "Holiday Today...", "", "&Shutdown",
                  "&Language", "", "Remind on the hour", "", "&About Veltaro..."}));
    EXPECT_EQ(CaptionsOf(chinese),
              (std::vector<std::string>{"计时器(&C)...", "万年历...", "进程管理器(&P)...",
                                        "提醒计划(&R)...", "", "历史上的今天...", "今日节日...", "",
                                        "关机(&S)", "语言(&L)", "", "整点报时(&H)", "",
                                        "关于Veltaro(&A)..."}));
    const std::vector<int> shutdown = {32787, 32792, 32788, 32791, 32789, 32790, 32794, 0, 32785};
    EXPECT_EQ(CommandsOf(english[8].children), shutdown);
    EXPECT_EQ(CommandsOf(chinese[8].children), shutdown);
    EXPECT_EQ(
        CaptionsOf(english[8].children),
        (std::vector<std::string>{"&1 Logoff", "&2 Restart", "&3 Shutdown", "&4 Lock",
                                  "&5 Hibernate", "&6 Standby", "&7 Close Monitor", "", "E&xit"}));
    EXPECT_EQ(CaptionsOf(chinese[8].children),
              (std::vector<std::string>{"&1 注销", "&2 重启", "&3 关机", "&4 锁定", "&5 休眠",
                                        "&6 待机", "&7 关闭显示器", "", "退出"}));
    EXPECT_EQ(CaptionsOf(chinese[9].children), (std::vector<std::string>{"中文", "English"}));
    EXPECT_EQ(CommandsOf(english[9].children), (std::vector<int>{32823, 32822}));
    for (const auto* popup : {&english, &chinese}) {
        EXPECT_TRUE((*popup)[0].isDefault);
        EXPECT_EQ((*popup)[8].kind, MenuItemKind::Submenu);
        EXPECT_EQ((*popup)[9].kind, MenuItemKind::Submenu);
        EXPECT_EQ(Find(*popup, kCommandRemindPlan).bitmap, kBitmapRemindPlan);
        EXPECT_EQ(Find(*popup, kCommandProcessManager).bitmap, kBitmapProcessManager);
        EXPECT_EQ(Find(*popup, kCommandAbout).bitmap, kBitmapAbout);
    }
}

TEST(TrayMenu, UpdatePassSetsChecksAndTheirPictures) {
    const struct {
        int language;
        bool remindOnHour;
        bool chineseChecked;
        int languagePicture;
    } cases[] = {
        {4, true, true, kBitmapChinese},
        {9, false, false, kBitmapEnglish},
        {7, true, false, kBitmapEnglish},  // a German system gets the English popup
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        const std::vector<MenuItem> menu =
            BuildTrayMenu({.language = c.language, .remindOnHour = c.remindOnHour});
        EXPECT_EQ(menu[0].caption, c.language == 4 ? "计时器(&C)..." : "&Calculagraph...");
        EXPECT_EQ(Find(menu, kCommandChime).checked, c.remindOnHour);
        const MenuItem& chinese = Find(menu, kCommandChinese);
        const MenuItem& english = Find(menu, kCommandEnglish);
        EXPECT_EQ(chinese.checked, c.chineseChecked);
        EXPECT_EQ(english.checked, !c.chineseChecked);
        // A checked language item shows the check mark instead of its picture.
        EXPECT_EQ(chinese.bitmap, c.chineseChecked ? kBitmapNone : kBitmapChinese);
        EXPECT_EQ(english.bitmap, c.chineseChecked ? kBitmapEnglish : kBitmapNone);
        EXPECT_EQ(menu[9].bitmap, c.languagePicture);
        EXPECT_FALSE(menu[9].checked) << "a submenu item is never changed";
    }
}

TEST(TrayMenu, UpdatePassLeavesItemsWithoutARuleAlone) {
    std::vector<MenuItem> popup = {
        {.command = kCommandPerpetualCalendar, .caption = "x", .checked = true, .bitmap = 7},
        {.kind = MenuItemKind::Submenu, .command = kCommandChime, .caption = "sub"},
        {.command = kCommandChime, .caption = "chime", .checked = true},
    };
    UpdateMenuItems(popup, {.language = 9, .remindOnHour = false});
    EXPECT_TRUE(popup[0].checked);
    EXPECT_EQ(popup[0].bitmap, 7);
    EXPECT_FALSE(popup[1].checked);
    EXPECT_FALSE(popup[2].checked);
}

TEST(TrayMenu, PluginItemsGoAfterTheFirstGroup) {
    const std::vector<MenuItem> plugins = {{.command = 18000, .caption = "Plug A"},
                                           {.command = 18001, .caption = "Plug B"}};
    const std::vector<MenuItem> menu = BuildTrayMenu({.language = 9}, plugins);
    ASSERT_EQ(menu.size(), 16u);
    EXPECT_EQ(menu[4].kind, MenuItemKind::Separator);
    EXPECT_EQ(menu[5].command, 18000);
    EXPECT_EQ(menu[6].command, 18001);
    EXPECT_EQ(menu[7].command, kCommandHistoryToday);
}

}  // namespace
}  // namespace veltaro
