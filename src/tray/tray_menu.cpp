#include "tray/tray_menu.h"

#include "app/command_ids.h"
#include "platform/interface_language.h"

namespace veltaro {
namespace {

struct MenuEntry {
    MenuItemKind kind;
    int command;
    const char* english;
    const char* chinese;
    int bitmap;
    std::span<const MenuEntry> children;
};

constexpr MenuEntry Command(int command, const char* english, const char* chinese,
                            int bitmap = kBitmapNone) {
    return {MenuItemKind::Command, command, english, chinese, bitmap, {}};
}

constexpr MenuEntry kSeparator{MenuItemKind::Separator, 0, "", "", kBitmapNone, {}};

constexpr MenuEntry kShutdownEntries[] = {
    Command(kCommandLogoff, "&1 Logoff", "&1 注销"),
    Command(kCommandRestart, "&2 Restart", "&2 重启"),
    Command(kCommandShutdown, "&3 Shutdown", "&3 关机"),
    Command(kCommandLock, "&4 Lock", "&4 锁定"),
    Command(kCommandHibernate, "&5 Hibernate", "&5 休眠"),
    Command(kCommandStandby, "&6 Standby", "&6 待机"),
    Command(kCommandMonitorOff, "&7 Close Monitor", "&7 关闭显示器"),
    kSeparator,
    Command(kCommandExit, "E&xit", "退出"),
};

constexpr MenuEntry kLanguageEntries[] = {
    Command(kCommandChinese, "中文", "中文", kBitmapChinese),
    Command(kCommandEnglish, "English", "English", kBitmapEnglish),
};

// Menu 129: one table for both popups, which share every command number.
constexpr MenuEntry kTrayMenu[] = {
    Command(kCommandShowMainWindow, "&Calculagraph...", "计时器(&C)..."),
    Command(kCommandPerpetualCalendar, "&Perpetual Calendar...", "万年历..."),
    Command(kCommandProcessManager, "Process Manager...", "进程管理器(&P)...",
            kBitmapProcessManager),
    Command(kCommandRemindPlan, "Remind Plan...", "提醒计划(&R)...", kBitmapRemindPlan),
    kSeparator,
    Command(kCommandHistoryToday, "History Today...", "历史上的今天..."),
    Command(kCommandHolidayToday, "Holiday Today...", "今日节日..."),
    kSeparator,
    {MenuItemKind::Submenu, kCommandLogoff, "&Shutdown", "关机(&S)", kBitmapNone, kShutdownEntries},
    {MenuItemKind::Submenu, kCommandChinese, "&Language", "语言(&L)", kBitmapNone,
     kLanguageEntries},
    kSeparator,
    Command(kCommandChime, "Remind on the hour", "整点报时(&H)"),
    kSeparator,
    Command(kCommandAbout, "&About Veltaro...", "关于Veltaro(&A)...", kBitmapAbout),
};

std::vector<MenuItem> ItemsOf(std::span<const MenuEntry> entries, bool chinese) {
    std::vector<MenuItem> items;
    for (const MenuEntry& entry : entries) {
        items.push_back({.kind = entry.kind,
                         .command = entry.command,
                         .caption = chinese ? entry.chinese : entry.english,
                         .bitmap = entry.bitmap,
                         .children = ItemsOf(entry.children, chinese)});
    }
    return items;
}

// A language item shows its picture only while it carries no check mark.
void CheckLanguageItem(MenuItem& item, bool checked, int picture) {
    item.checked = checked;
    item.bitmap = checked ? kBitmapNone : picture;
}

}  // namespace

void UpdateMenuItems(std::vector<MenuItem>& popup, const TrayMenuState& state) {
    const bool chinese = ShowsChineseTexts(state.language);
    for (MenuItem& item : popup) {
        if (item.kind != MenuItemKind::Command) {
            continue;
        }
        switch (item.command) {
            case kCommandChime:
                item.checked = state.remindOnHour;
                break;
            case kCommandChinese:
                CheckLanguageItem(item, chinese, kBitmapChinese);
                break;
            case kCommandEnglish:
                CheckLanguageItem(item, !chinese, kBitmapEnglish);
                break;
            default:
                break;
        }
    }
}

std::vector<MenuItem> BuildTrayMenu(const TrayMenuState& state,
                                    std::span<const MenuItem> pluginItems) {
    const bool chinese = ShowsChineseTexts(state.language);
    std::vector<MenuItem> popup = ItemsOf(kTrayMenu, chinese);
    popup.front().isDefault = true;
    for (MenuItem& item : popup) {
        if (item.kind == MenuItemKind::Submenu && item.command == kCommandChinese) {
            item.bitmap = chinese ? kBitmapChinese : kBitmapEnglish;
        }
        if (item.kind == MenuItemKind::Submenu) {
            UpdateMenuItems(item.children, state);
        }
    }
    popup.insert(popup.begin() + static_cast<std::ptrdiff_t>(kPluginItemsPosition),
                 pluginItems.begin(), pluginItems.end());
    UpdateMenuItems(popup, state);
    return popup;
}

}  // namespace veltaro
