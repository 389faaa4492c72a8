#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "plugins/plugin.h"
#include "tray/tray_menu.h"

namespace veltaro {

inline constexpr int kFirstPluginCommand = 18000;
inline constexpr int kLastPluginCommand = 20000;

// One loaded plug-in with what the last menu build gave it.
struct PluginRecord {
    std::unique_ptr<Plugin> plugin;
    // The host command of its single item, or -1 when it brought a submenu.
    int menuCommandId = -1;
    // Host command -> the plug-in's own id; its top item is stored with 0 under its host command
    // (single item) or under -1 (submenu).
    std::map<int, int> itemMap;
    std::string name;
};

// The plug-ins of the tray menu: their order, their items' numbering from 18000 at every menu
// build, the routing of those numbers back to them, their language, their end. UI thread only.
class PluginHost {
public:
    PluginHost() = default;
    ~PluginHost();
    PluginHost(const PluginHost&) = delete;
    PluginHost& operator=(const PluginHost&) = delete;

    // Takes a loaded plug-in as the next record, then Initialize and SetLanguage(language).
    void AddPlugin(std::unique_ptr<Plugin> plugin, int language);
    std::size_t Count() const { return records_.size(); }
    const std::vector<PluginRecord>& Records() const { return records_; }

    // The menu build, in this order: names asked again; the items numbered from 18000 (one item
    // or a submenu per plug-in, the plug-in's separators untouched, then one separator after all
    // of them, none without plug-ins); what each plug-in changes of its items applied.
    void RefreshPluginNames();
    std::vector<MenuItem> InsertPluginMenuItems();
    void ApplyPluginMenuItemInfo(std::vector<MenuItem>& pluginItems);
    // All three: the items to put at the plug-ins' place in the tray menu.
    std::vector<MenuItem> BuildMenuItems();

    // Runs a command of the range 18000..20000 on the plug-in that has it; false when none has.
    bool DispatchPluginCommand(int command);
    void SetPluginLanguage(int language);
    // Uninitialize and release every plug-in, in order; the host is empty afterwards.
    void UnloadPlugins();

private:
    void Renumber(const std::vector<PluginMenuEntry>& entries, PluginRecord& record,
                  std::vector<MenuItem>& items);

    std::vector<PluginRecord> records_;
    int nextCommandId_ = kFirstPluginCommand;
};

}  // namespace veltaro
