#pragma once

// The program's resources as data: dialog templates, menus, string table,
// accelerators, toolbars and images, each under its numeric ID. The program
// registers one ResourceModule at start-up (RegisterResourceModule); the
// platform's loaders (LoadString, LoadMenu, LoadImageA, dialog creation,
// LoadToolBar, LoadAccelerators) look resources up there by ID.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform::res {

// Window and control styles use the platform's WS_*, ES_*, BS_*, SS_*, CBS_*
// and DS_* bit values (see WinStyles.h).
struct DialogItem {
    int id;                 // control ID; -1 for a static without an ID of its own
    const char* className;  // "BUTTON", "EDIT", "STATIC", "COMBOBOX"
    const char* text;       // initial text; "" when none
    int x, y, cx, cy;       // dialog units
    std::uint32_t style;
    std::uint32_t exStyle = 0;
};

struct DialogTemplate {
    unsigned id;
    const char* caption;
    int cx, cy;  // dialog units
    const char* fontName;
    int pointSize;
    std::uint32_t style;
    std::vector<DialogItem> items;  // in tab (template) order
};

// A menu item; a popup has children and id 0; a separator has text nullptr.
struct MenuItem {
    const char* text;
    unsigned id;
    std::uint32_t flags;  // MF_GRAYED, MF_SEPARATOR, MF_POPUP, MF_DEFAULT...
    std::vector<MenuItem> children;
};

struct MenuTemplate {
    unsigned id;
    std::vector<MenuItem> items;  // the menu bar (or popup holder), by position
};

struct StringEntry {
    unsigned id;
    const char* text;
};

struct Accelerator {
    std::uint8_t fVirt;  // FVIRTKEY, FCONTROL, FSHIFT, FALT
    std::uint16_t key;   // virtual-key code (VK_*)
    std::uint16_t cmd;
};

struct AcceleratorTable {
    unsigned id;
    std::vector<Accelerator> entries;
};

struct ToolbarTemplate {
    unsigned id;                     // also the ID of its bitmap
    int buttonWidth;                 // pixels
    int buttonHeight;                // pixels
    std::vector<unsigned> commands;  // 0 stands for a separator
};

enum class ImageKind { Icon, Bitmap };

// An image file embedded in the program: .ico (all its sizes) or .bmp bytes.
struct Image {
    unsigned id;
    ImageKind kind;
    const unsigned char* data;
    std::size_t size;
};

struct ResourceModule {
    std::vector<DialogTemplate> dialogs;
    std::vector<MenuTemplate> menus;
    std::vector<StringEntry> strings;
    std::vector<AcceleratorTable> accelerators;
    std::vector<ToolbarTemplate> toolbars;
    std::vector<Image> images;
};

// Makes `module` the program's resources; it must outlive every lookup.
void RegisterResourceModule(const ResourceModule* module);
const ResourceModule* CurrentResourceModule();

}  // namespace platform::res
