#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace veltaro {

// One item of a plug-in's own submenu, with the plug-in's own identifier.
struct PluginMenuEntry {
    enum class Kind { kCommand, kSeparator, kSubmenu };
    Kind kind = Kind::kCommand;
    int id = 0;
    std::string text;
    std::vector<PluginMenuEntry> children;
};

// What a plug-in changes of one of its items: each part only when present.
struct PluginItemInfo {
    std::optional<std::string> text;
    std::optional<bool> enabled;
    std::optional<bool> checked;
    std::vector<std::uint32_t> picture;  // 13 x 13 ARGB; empty: unchanged
};

// A loaded plug-in, whatever it is made of: the operations the host calls, in the contract's
// order. Every call happens on the UI thread.
class Plugin {
public:
    virtual ~Plugin() = default;
    virtual std::string Name() = 0;
    virtual void Execute(int id) = 0;
    virtual void Initialize() = 0;
    virtual void Uninitialize() = 0;
    // Empty: the plug-in gets one menu item; else its submenu.
    virtual std::optional<std::vector<PluginMenuEntry>> Menu() = 0;
    virtual PluginItemInfo ItemInfo(int id) = 0;
    virtual void SetLanguage(int language) = 0;
};

}  // namespace veltaro
