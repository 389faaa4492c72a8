#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace veltaro {

// The pictures beside menu items, by their old resource numbers.
enum MenuBitmap : int {
    kBitmapNone = 0,
    kBitmapProcessManager = 144,
    kBitmapAbout = 149,
    kBitmapChinese = 150,
    kBitmapEnglish = 151,
    kBitmapRemindPlan = 1001,
};

// Menu item pictures are 13 x 13 pixels.
inline constexpr int kMenuPictureSize = 13;

enum class MenuItemKind { Command, Separator, Submenu };

// One item of the tray menu as it is shown, in one language.
struct MenuItem {
    MenuItemKind kind = MenuItemKind::Command;
    // The command a click sends; a submenu carries its first item's command.
    int command = 0;
    std::string caption;  // UTF-8, '&' before the access key
    bool checked = false;
    bool enabled = true;
    bool isDefault = false;  // drawn bold; a left click on the icon runs it
    int bitmap = kBitmapNone;
    // A picture of the item's own (a plug-in's): 13 x 13 ARGB, in place of `bitmap`.
    std::vector<std::uint32_t> picture;
    std::vector<MenuItem> children;
};

// What the menu's update pass reads.
struct TrayMenuState {
    int language = 9;
    bool remindOnHour = true;
};

// Plug-in items go here: after the first group and its separator; they bring their own separator
// after them.
inline constexpr std::size_t kPluginItemsPosition = 5;

// The menu as it opens: the popup of the state's language, the plug-ins' items at their place,
// check marks and pictures set by the update pass.
std::vector<MenuItem> BuildTrayMenu(const TrayMenuState& state,
                                    std::span<const MenuItem> pluginItems = {});

// The update pass over one popup about to open: check marks on the chime and the language, and
// the pictures that depend on them. Items without an update rule keep what they have; submenu
// items are never changed.
void UpdateMenuItems(std::vector<MenuItem>& popup, const TrayMenuState& state);

}  // namespace veltaro
