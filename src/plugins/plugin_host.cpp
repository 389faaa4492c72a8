#include "plugins/plugin_host.h"

namespace veltaro {
namespace {

// The item with host command `command` among `items` and their submenus, depth-first.
MenuItem* FindItem(std::vector<MenuItem>& items, int command) {
    for (MenuItem& item : items) {
        if (item.kind == MenuItemKind::Submenu) {
            if (MenuItem* found = FindItem(item.children, command)) {
                return found;
            }
        } else if (item.kind == MenuItemKind::Command && item.command == command) {
            return &item;
        }
    }
    return nullptr;
}

void Apply(const PluginItemInfo& info, MenuItem& item) {
    if (info.text) {
        item.caption = *info.text;
    }
    if (info.enabled) {
        item.enabled = *info.enabled;
    }
    if (info.checked) {
        item.checked = *info.checked;
    }
    if (!info.picture.empty()) {
        item.picture = info.picture;
    }
}

}  // namespace

PluginHost::~PluginHost() {
    UnloadPlugins();
}

void PluginHost::AddPlugin(std::unique_ptr<Plugin> plugin, int language) {
    plugin->Initialize();
    plugin->SetLanguage(language);
    records_.push_back({std::move(plugin), -1, {}, {}});
}

void PluginHost::RefreshPluginNames() {
    for (PluginRecord& record : records_) {
        record.name = record.plugin->Name();
    }
}

std::vector<MenuItem> PluginHost::InsertPluginMenuItems() {
    nextCommandId_ = kFirstPluginCommand;
    std::vector<MenuItem> items;
    for (PluginRecord& record : records_) {
        record.itemMap.clear();
        MenuItem item{.caption = record.name};
        if (const std::optional<std::vector<PluginMenuEntry>> menu = record.plugin->Menu()) {
            record.menuCommandId = -1;
            record.itemMap[-1] = 0;
            item.kind = MenuItemKind::Submenu;
            Renumber(*menu, record, item.children);
        } else {
            record.menuCommandId = nextCommandId_++;
            record.itemMap[record.menuCommandId] = 0;
            item.command = record.menuCommandId;
        }
        items.push_back(std::move(item));
    }
    if (!records_.empty()) {
        items.push_back({.kind = MenuItemKind::Separator});
    }
    return items;
}

void PluginHost::Renumber(const std::vector<PluginMenuEntry>& entries, PluginRecord& record,
                          std::vector<MenuItem>& items) {
    for (const PluginMenuEntry& entry : entries) {
        MenuItem item{.caption = entry.text};
        switch (entry.kind) {
            case PluginMenuEntry::Kind::kSeparator:
                item.kind = MenuItemKind::Separator;
                break;
            case PluginMenuEntry::Kind::kSubmenu:
                item.kind = MenuItemKind::Submenu;
                Renumber(entry.children, record, item.children);
                break;
            case PluginMenuEntry::Kind::kCommand:
                item.command = nextCommandId_++;
                record.itemMap[item.command] = entry.id;
                break;
        }
        items.push_back(std::move(item));
    }
}

void PluginHost::ApplyPluginMenuItemInfo(std::vector<MenuItem>& pluginItems) {
    for (std::size_t position = 0; position < records_.size(); ++position) {
        PluginRecord& record = records_[position];
        for (const auto& [command, ownId] : record.itemMap) {
            const PluginItemInfo info = record.plugin->ItemInfo(ownId);
            if (ownId == 0) {
                Apply(info, pluginItems[position]);
            } else if (MenuItem* item = FindItem(pluginItems[position].children, command)) {
                Apply(info, *item);
            }
        }
    }
}

std::vector<MenuItem> PluginHost::BuildMenuItems() {
    RefreshPluginNames();
    std::vector<MenuItem> items = InsertPluginMenuItems();
    ApplyPluginMenuItemInfo(items);
    return items;
}

bool PluginHost::DispatchPluginCommand(int command) {
    if (command < kFirstPluginCommand || command > kLastPluginCommand) {
        return false;
    }
    for (PluginRecord& record : records_) {
        if (const auto found = record.itemMap.find(command); found != record.itemMap.end()) {
            record.plugin->Execute(found->second);
            return true;
        }
    }
    return false;
}

void PluginHost::SetPluginLanguage(int language) {
    for (PluginRecord& record : records_) {
        record.plugin->SetLanguage(language);
    }
}

void PluginHost::UnloadPlugins() {
    for (PluginRecord& record : records_) {
        record.plugin->Uninitialize();
        record.plugin.reset();
    }
    records_.clear();
}

}  // namespace veltaro
