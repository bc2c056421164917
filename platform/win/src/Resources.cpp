// The registered resource module and the loaders' lookups.

#include <atomic>
#include <cstring>

#include "ResourceLookup.h"
#include "WinBase.h"
#include "WinUser.h"

namespace platform::res {

namespace {

std::atomic<const ResourceModule*> g_module{nullptr};

// Strings the platform itself supplies (its own resources), used when the
// program's module does not have them.
const StringEntry kPlatformStrings[] = {
    {0xE700, "EXT"}, {0xE701, "CAP"}, {0xE702, "NUM"},      {0xE703, "SCRL"},
    {0xE704, "OVR"}, {0xE705, "REC"}, {0xF000, "Untitled"},
};

template <typename T>
const T* FindById(const std::vector<T>& items, unsigned id) {
    for (const T& item : items)
        if (item.id == id) return &item;
    return nullptr;
}

}  // namespace

void RegisterResourceModule(const ResourceModule* module) {
    g_module = module;
}
const ResourceModule* CurrentResourceModule() {
    return g_module;
}

// The entry `id` of one kind of resource in the registered module, or null.
template <typename T>
const T* FindIn(std::vector<T> ResourceModule::*kind, unsigned id) {
    const ResourceModule* m = g_module;
    return m ? FindById(m->*kind, id) : nullptr;
}

const DialogTemplate* FindDialog(unsigned id) {
    return FindIn(&ResourceModule::dialogs, id);
}
const MenuTemplate* FindMenu(unsigned id) {
    return FindIn(&ResourceModule::menus, id);
}

const char* FindString(unsigned id) {
    if (const StringEntry* e = FindIn(&ResourceModule::strings, id)) return e->text;
    for (const StringEntry& e : kPlatformStrings)
        if (e.id == id) return e.text;
    return nullptr;
}

const AcceleratorTable* FindAccelerators(unsigned id) {
    return FindIn(&ResourceModule::accelerators, id);
}

const ToolbarTemplate* FindToolbar(unsigned id) {
    return FindIn(&ResourceModule::toolbars, id);
}

const Image* FindImage(unsigned id, ImageKind kind) {
    const ResourceModule* m = g_module;
    if (!m) return nullptr;
    for (const Image& image : m->images)
        if (image.id == id && image.kind == kind) return &image;
    return nullptr;
}

}  // namespace platform::res

int LoadStringA(HINSTANCE, UINT uID, LPSTR lpBuffer, int cchBufferMax) {
    const char* text = platform::res::FindString(uID);
    if (!text) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        if (lpBuffer && cchBufferMax > 0) lpBuffer[0] = '\0';
        return 0;
    }
    if (!lpBuffer || cchBufferMax <= 0) return 0;
    int n = static_cast<int>(std::strlen(text));
    if (n > cchBufferMax - 1) n = cchBufferMax - 1;
    std::memcpy(lpBuffer, text, static_cast<std::size_t>(n));
    lpBuffer[n] = '\0';
    return n;
}
