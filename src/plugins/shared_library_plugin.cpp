#include "plugins/shared_library_plugin.h"

#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include "veltaro/plugin.h"

namespace veltaro {
namespace {

using EntryPoint = const VeltaroPlugin* (*)(int);
using RegisterFunction = void (*)();

// An open library, closed when the object goes.
class Library {
public:
    explicit Library(const std::filesystem::path& file)
        : handle_(::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL)) {}
    ~Library() {
        if (handle_ != nullptr) {
            ::dlclose(handle_);
        }
    }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    bool IsOpen() const { return handle_ != nullptr; }
    void* Symbol(const char* name) const { return ::dlsym(handle_, name); }

private:
    void* handle_;
};

std::vector<PluginMenuEntry> EntriesOf(const VeltaroMenu* menu, int depth) {
    std::vector<PluginMenuEntry> entries;
    // Bounded, so that a menu that contains itself can't recurse without end.
    if (menu == nullptr || depth > 8 || menu->items == nullptr) {
        return entries;
    }
    for (int index = 0; index < menu->count; ++index) {
        const VeltaroMenuItem& item = menu->items[index];
        PluginMenuEntry entry;
        if (item.submenu != nullptr) {
            entry.kind = PluginMenuEntry::Kind::kSubmenu;
            entry.children = EntriesOf(item.submenu, depth + 1);
        } else if (item.text == nullptr) {
            entry.kind = PluginMenuEntry::Kind::kSeparator;
        }
        entry.id = item.id;
        entry.text = item.text != nullptr ? item.text : "";
        entries.push_back(std::move(entry));
    }
    return entries;
}

// A plug-in of a shared library; every call goes through Guarded, so that a plug-in that throws
// is disabled instead of taking the program down.
class LibraryPlugin final : public Plugin {
public:
    LibraryPlugin(std::unique_ptr<Library> library, const VeltaroPlugin& plugin)
        : library_(std::move(library)), plugin_(plugin) {}

    std::string Name() override {
        std::string name;
        Guarded([&] {
            char buffer[VELTARO_PLUGIN_NAME_BYTES] = {};
            plugin_.GetName(plugin_.self, buffer, sizeof buffer - 1);
            name = buffer;
        });
        return name;
    }
    void Execute(int id) override {
        Guarded([&] { plugin_.Execute(plugin_.self, id); });
    }
    void Initialize() override {
        Guarded([&] { plugin_.Initialize(plugin_.self); });
    }
    void Uninitialize() override {
        Guarded([&] { plugin_.Uninitialize(plugin_.self); });
    }
    std::optional<std::vector<PluginMenuEntry>> Menu() override {
        std::optional<std::vector<PluginMenuEntry>> menu;
        Guarded([&] {
            if (const VeltaroMenu* own = plugin_.GetMenu(plugin_.self)) {
                menu = EntriesOf(own, 0);
            }
        });
        return menu;
    }
    PluginItemInfo ItemInfo(int id) override {
        PluginItemInfo result;
        Guarded([&] {
            auto info = std::make_unique<VeltaroMenuItemInfo>();
            std::memset(info.get(), 0, sizeof *info);
            plugin_.GetMenuItemInfo(plugin_.self, id, info.get());
            info->text[sizeof info->text - 1] = '\0';
            if ((info->mask & VELTARO_ITEM_TEXT) != 0) {
                result.text = info->text;
            }
            if ((info->mask & VELTARO_ITEM_STATE) != 0) {
                result.enabled = info->enabled != 0;
                result.checked = info->checked != 0;
            }
            if ((info->mask & VELTARO_ITEM_PICTURE) != 0) {
                result.picture.assign(std::begin(info->picture), std::end(info->picture));
            }
        });
        return result;
    }
    void SetLanguage(int language) override {
        Guarded([&] { plugin_.SetLanguage(plugin_.self, language); });
    }

private:
    template <class Call>
    void Guarded(Call call) {
        if (failed_) {
            return;
        }
        try {
            call();
        } catch (...) {
            failed_ = true;
        }
    }

    std::unique_ptr<Library> library_;
    const VeltaroPlugin& plugin_;
    bool failed_ = false;
};

bool HasEveryOperation(const VeltaroPlugin& plugin) {
    return plugin.GetName != nullptr && plugin.Execute != nullptr && plugin.Initialize != nullptr &&
           plugin.Uninitialize != nullptr && plugin.GetMenu != nullptr &&
           plugin.GetMenuItemInfo != nullptr && plugin.SetLanguage != nullptr;
}

}  // namespace

std::string RefusalOfPluginFile(const std::filesystem::path& file) {
    struct stat info {};
    if (::lstat(file.c_str(), &info) != 0) {
        return std::strerror(errno);
    }
    if (!S_ISREG(info.st_mode)) {
        return "not a regular file";
    }
    if (info.st_uid != ::getuid() && info.st_uid != 0) {
        return "owned by another user";
    }
    if ((info.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
        return "writable by others";
    }
    return {};
}

void RegisterPluginLibrary(const std::filesystem::path& file) {
    const Library library(file);
    if (!library.IsOpen()) {
        return;
    }
    if (auto* registerPlugin =
            reinterpret_cast<RegisterFunction>(library.Symbol("veltaro_plugin_register"))) {
        try {
            registerPlugin();
        } catch (...) {
            // A registration that fails is not noticed, as one that does nothing.
        }
    }
}

std::unique_ptr<Plugin> LoadPluginLibrary(const std::filesystem::path& file) {
    auto library = std::make_unique<Library>(file);
    if (!library->IsOpen()) {
        return nullptr;
    }
    auto entry = reinterpret_cast<EntryPoint>(library->Symbol("veltaro_plugin_entry"));
    const VeltaroPlugin* plugin = nullptr;
    try {
        plugin = entry != nullptr ? entry(VELTARO_PLUGIN_ABI_VERSION) : nullptr;
    } catch (...) {
        return nullptr;
    }
    if (plugin == nullptr || plugin->abiVersion != VELTARO_PLUGIN_ABI_VERSION ||
        plugin->category == nullptr ||
        std::strcmp(plugin->category, VELTARO_PLUGIN_CATEGORY) != 0 ||
        !HasEveryOperation(*plugin)) {
        return nullptr;
    }
    return std::make_unique<LibraryPlugin>(std::move(library), *plugin);
}

}  // namespace veltaro
