// Plug-ins for the host's tests, one library per kind (TEST_PLUGIN_KIND): every call is written to
// the file named by VELTARO_TEST_PLUGIN_LOG, one line each, so a test can follow the host.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "veltaro/plugin.h"

#define KIND_SINGLE 1
#define KIND_SUBMENU 2
#define KIND_THROWING 3
#define KIND_OTHER_CATEGORY 4
#define KIND_OTHER_VERSION 5

namespace {

int language = 0;

// "<plug-in> <event>[ <value>]".
void Log(const char* event, const int* value = nullptr) {
    if (const char* file = std::getenv("VELTARO_TEST_PLUGIN_LOG")) {
        if (FILE* log = std::fopen(file, "a")) {
            std::fprintf(log, "%s %s", TEST_PLUGIN_NAME, event);
            if (value != nullptr) {
                std::fprintf(log, " %d", *value);
            }
            std::fputc('\n', log);
            std::fclose(log);
        }
    }
}

void GetName(void*, char* name, int size) {
    std::snprintf(name, static_cast<std::size_t>(size), "%s",
                  language == 4 ? "测试" : TEST_PLUGIN_NAME);
}

void Execute(void*, int id) {
    Log("Execute", &id);
#if TEST_PLUGIN_KIND == KIND_THROWING
    throw std::runtime_error("a plug-in that fails");
#endif
}

void Initialize(void*) {
    Log("Initialize");
}

void Uninitialize(void*) {
    Log("Uninitialize");
}

const VeltaroMenu* GetMenu(void*) {
#if TEST_PLUGIN_KIND == KIND_SUBMENU
    static const VeltaroMenuItem items[] = {{101, "First", nullptr},
                                            {102, "Second", nullptr},
                                            {0, nullptr, nullptr},
                                            {103, "Third", nullptr}};
    static const VeltaroMenu menu = {4, items};
    return &menu;
#else
    return nullptr;
#endif
}

void GetMenuItemInfo(void*, int id, VeltaroMenuItemInfo* info) {
    if (id == 102) {
        info->mask = VELTARO_ITEM_STATE;
        info->enabled = 0;
        info->checked = 1;
    }
}

void SetLanguage(void*, int value) {
    language = value;
    Log("SetLanguage", &value);
}

#if TEST_PLUGIN_KIND == KIND_OTHER_CATEGORY
const char* const kCategory = "00000000-0000-0000-0000-000000000000";
#else
const char* const kCategory = VELTARO_PLUGIN_CATEGORY;
#endif

#if TEST_PLUGIN_KIND == KIND_OTHER_VERSION
const int kVersion = VELTARO_PLUGIN_ABI_VERSION + 1;
#else
const int kVersion = VELTARO_PLUGIN_ABI_VERSION;
#endif

const VeltaroPlugin kPlugin = {kVersion,   kCategory,    nullptr, GetName,         Execute,
                               Initialize, Uninitialize, GetMenu, GetMenuItemInfo, SetLanguage};

}  // namespace

extern "C" const VeltaroPlugin* veltaro_plugin_entry(int) {
    return &kPlugin;
}

extern "C" void veltaro_plugin_register(void) {
    Log("Register");
}
