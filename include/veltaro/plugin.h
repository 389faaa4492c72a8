/*
 * Veltaro plug-in contract, version 1.
 *
 * A plug-in is a shared library in one of Veltaro's plug-in folders that exports
 * veltaro_plugin_entry. Veltaro calls every function of a plug-in on its user-interface thread,
 * one call at a time. Texts are UTF-8. See docs/plugins.md for a complete example.
 */
#ifndef VELTARO_PLUGIN_H
#define VELTARO_PLUGIN_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define VELTARO_PLUGIN_ABI_VERSION 1

/* The plug-in category: a library whose plug-in gives another one is not loaded. */
#define VELTARO_PLUGIN_CATEGORY "05FA1644-9CB9-50C8-05FA-16449CB950C8"

/* A plug-in's name holds up to 256 characters; the buffer GetName fills has room for them. */
#define VELTARO_PLUGIN_NAME_BYTES (256 * 4)

/* Menu item pictures are 13 x 13 pixels, ARGB (0xAARRGGBB), row after row. */
#define VELTARO_PICTURE_SIZE 13

typedef struct VeltaroMenu VeltaroMenu;

/* One item of a plug-in's submenu. */
typedef struct VeltaroMenuItem {
    int id;                     /* the plug-in's own identifier, given back to Execute */
    const char* text;           /* NULL: a separator (its id is ignored) */
    const VeltaroMenu* submenu; /* not NULL: the item opens this submenu (its id is ignored) */
} VeltaroMenuItem;

struct VeltaroMenu {
    int count;
    const VeltaroMenuItem* items;
};

/* What GetMenuItemInfo may change of an item: the fields named in mask. */
enum {
    VELTARO_ITEM_TEXT = 1,
    VELTARO_ITEM_STATE = 2, /* enabled and checked */
    VELTARO_ITEM_PICTURE = 4
};

typedef struct VeltaroMenuItemInfo {
    unsigned mask;
    char text[VELTARO_PLUGIN_NAME_BYTES];
    int enabled;
    int checked;
    uint32_t picture[VELTARO_PICTURE_SIZE * VELTARO_PICTURE_SIZE];
} VeltaroMenuItemInfo;

typedef struct VeltaroPlugin {
    int abiVersion;       /* VELTARO_PLUGIN_ABI_VERSION */
    const char* category; /* VELTARO_PLUGIN_CATEGORY */
    void* self;           /* passed to every operation */

    /* Writes the display name, terminated, into the zero-filled buffer of `size` bytes. */
    void (*GetName)(void* self, char* name, int size);
    /* Runs a command: 0 for the plug-in's single item, else the id of a submenu item. */
    void (*Execute)(void* self, int id);
    /* Called once after loading, and once at the program's exit. */
    void (*Initialize)(void* self);
    void (*Uninitialize)(void* self);
    /* NULL: the plug-in has one menu item; else its submenu, read at once by the host. */
    const VeltaroMenu* (*GetMenu)(void* self);
    /* Fills in what to change of an item (0: the single or top item); info arrives zeroed. */
    void (*GetMenuItemInfo)(void* self, int id, VeltaroMenuItemInfo* info);
    /* The interface language: 4 Chinese, 9 English. */
    void (*SetLanguage)(void* self, int language);
} VeltaroPlugin;

/* The one entry point: the plug-in for the host's ABI version, or NULL when it has none. */
const VeltaroPlugin* veltaro_plugin_entry(int abiVersion);

/* Optional: called once at every start of the program, before plug-ins are looked for. */
void veltaro_plugin_register(void);

#ifdef __cplusplus
}
#endif

#endif /* VELTARO_PLUGIN_H */
