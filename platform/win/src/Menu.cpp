// Menus loaded from the program's resources, and TrackPopupMenu through the
// desktop. Before a popup opens, its owner gets WM_INITMENUPOPUP for it and
// for each popup inside it, so the owner's command-update handlers set the
// items' state as they would while the user moves through the menu.

#include <unordered_set>

#include "Desktop.h"
#include "Handles.h"
#include "ResourceLookup.h"
#include "WinBase.h"
#include "WindowHandle.h"

namespace platform::win {
namespace {

std::unordered_set<const HMENU__*>& LiveMenus() {
    static auto* menus = new std::unordered_set<const HMENU__*>;
    return *menus;
}

void RegisterTree(HMENU__* menu) {
    LiveMenus().insert(menu);
    for (auto& item : menu->items)
        if (item.popup) RegisterTree(item.popup.get());
}

void UnregisterTree(HMENU__* menu) {
    LiveMenus().erase(menu);
    for (auto& item : menu->items)
        if (item.popup) UnregisterTree(item.popup.get());
}

std::unique_ptr<HMENU__> Build(const std::vector<res::MenuItem>& items, HMENU__* parent) {
    auto menu = std::make_unique<HMENU__>();
    menu->parent = parent;
    for (const res::MenuItem& src : items) {
        HMENU__::Item item;
        item.text = src.text ? src.text : "";
        item.id = src.id;
        item.flags = src.flags;
        if (!src.text) item.flags |= MF_SEPARATOR;
        if (!src.children.empty() || (src.flags & MF_POPUP)) {
            item.flags |= MF_POPUP;
            item.popup = Build(src.children, menu.get());
        }
        menu->items.push_back(std::move(item));
    }
    return menu;
}

// The item at a position, or with a command ID (searching popups too).
HMENU__::Item* FindItem(HMENU__* menu, UINT item, UINT flags) {
    if (!menu) return nullptr;
    if (flags & MF_BYPOSITION) return item < menu->items.size() ? &menu->items[item] : nullptr;
    for (auto& i : menu->items) {
        if (!(i.flags & MF_POPUP) && !(i.flags & MF_SEPARATOR) && i.id == item) return &i;
        if (i.popup)
            if (auto* found = FindItem(i.popup.get(), item, flags)) return found;
    }
    return nullptr;
}

void InitPopups(HWND owner, HMENU__* menu, UINT index) {
    SendMessageA(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu),
                 MAKELPARAM(static_cast<WORD>(index), FALSE));
    for (std::size_t i = 0; i < menu->items.size(); ++i)
        if (menu->items[i].popup && MenuFromHandle(menu->items[i].popup.get()))
            InitPopups(owner, menu->items[i].popup.get(), static_cast<UINT>(i));
}

std::vector<MenuEntry> Entries(const HMENU__* menu) {
    std::vector<MenuEntry> out;
    for (const auto& item : menu->items) {
        MenuEntry e;
        e.text = item.text;
        e.separator = (item.flags & MF_SEPARATOR) != 0;
        e.id = (item.flags & (MF_POPUP | MF_SEPARATOR)) ? 0 : item.id;
        e.enabled = !(item.flags & (MF_GRAYED | MF_DISABLED));
        e.checked = (item.flags & MF_CHECKED) != 0;
        e.isDefault = (item.flags & MF_DEFAULT) != 0;
        if (item.popup) e.children = Entries(item.popup.get());
        out.push_back(std::move(e));
    }
    return out;
}

}  // namespace

HMENU__* MenuFromHandle(HMENU hMenu) {
    return hMenu && LiveMenus().count(hMenu) ? hMenu : nullptr;
}

}  // namespace platform::win

using namespace platform::win;

HMENU LoadMenuA(HINSTANCE, LPCSTR lpMenuName) {
    if (!IS_INTRESOURCE(lpMenuName)) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    auto id = static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(lpMenuName));
    const platform::res::MenuTemplate* tmpl = platform::res::FindMenu(id);
    if (!tmpl) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    HMENU__* menu = Build(tmpl->items, nullptr).release();
    RegisterTree(menu);
    return menu;
}

HMENU CreatePopupMenu() {
    auto* menu = new HMENU__;
    RegisterTree(menu);
    return menu;
}

BOOL AppendMenuA(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem) {
    HMENU__* menu = MenuFromHandle(hMenu);
    if (!menu) return FALSE;
    HMENU__::Item item;
    item.flags = uFlags;
    item.text = (uFlags & MF_SEPARATOR) || !lpNewItem ? "" : lpNewItem;
    if (uFlags & MF_POPUP) {
        auto* sub = MenuFromHandle(reinterpret_cast<HMENU>(uIDNewItem));
        if (!sub || sub->parent) return FALSE;
        sub->parent = menu;
        item.popup.reset(sub);
    } else {
        item.id = static_cast<UINT>(uIDNewItem);
    }
    menu->items.push_back(std::move(item));
    return TRUE;
}

HMENU GetSubMenu(HMENU hMenu, int nPos) {
    HMENU__* menu = MenuFromHandle(hMenu);
    if (!menu || nPos < 0 || static_cast<std::size_t>(nPos) >= menu->items.size()) return nullptr;
    return menu->items[static_cast<std::size_t>(nPos)].popup.get();
}

int GetMenuItemCount(HMENU hMenu) {
    HMENU__* menu = MenuFromHandle(hMenu);
    return menu ? static_cast<int>(menu->items.size()) : -1;
}

UINT GetMenuItemID(HMENU hMenu, int nPos) {
    HMENU__* menu = MenuFromHandle(hMenu);
    if (!menu || nPos < 0 || static_cast<std::size_t>(nPos) >= menu->items.size())
        return static_cast<UINT>(-1);
    const auto& item = menu->items[static_cast<std::size_t>(nPos)];
    if (item.flags & MF_POPUP) return static_cast<UINT>(-1);
    if (item.flags & MF_SEPARATOR) return 0;
    return item.id;
}

UINT GetMenuState(HMENU hMenu, UINT uId, UINT uFlags) {
    HMENU__::Item* item = FindItem(MenuFromHandle(hMenu), uId, uFlags);
    if (!item) return static_cast<UINT>(-1);
    UINT state = item->flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_SEPARATOR | MF_DEFAULT);
    if (item->popup) state |= MF_POPUP | (static_cast<UINT>(item->popup->items.size()) << 8);
    return state;
}

int GetMenuStringA(HMENU hMenu, UINT uIDItem, LPSTR lpString, int cchMax, UINT flags) {
    HMENU__::Item* item = FindItem(MenuFromHandle(hMenu), uIDItem, flags);
    if (!item) return 0;
    int n = static_cast<int>(item->text.size());
    if (!lpString || cchMax <= 0) return n;
    if (n > cchMax - 1) n = cchMax - 1;
    item->text.copy(lpString, static_cast<std::size_t>(n));
    lpString[n] = '\0';
    return n;
}

DWORD CheckMenuItem(HMENU hMenu, UINT uIDCheckItem, UINT uCheck) {
    HMENU__::Item* item = FindItem(MenuFromHandle(hMenu), uIDCheckItem, uCheck);
    if (!item) return static_cast<DWORD>(-1);
    DWORD previous = item->flags & MF_CHECKED;
    item->flags = (item->flags & ~MF_CHECKED) | (uCheck & MF_CHECKED);
    return previous;
}

BOOL EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable) {
    HMENU__::Item* item = FindItem(MenuFromHandle(hMenu), uIDEnableItem, uEnable);
    if (!item) return -1;
    BOOL previous = static_cast<BOOL>(item->flags & (MF_GRAYED | MF_DISABLED));
    item->flags =
        (item->flags & ~(MF_GRAYED | MF_DISABLED)) | (uEnable & (MF_GRAYED | MF_DISABLED));
    return previous;
}

BOOL SetMenuDefaultItem(HMENU hMenu, UINT uItem, UINT fByPos) {
    HMENU__* menu = MenuFromHandle(hMenu);
    if (!menu) return FALSE;
    HMENU__::Item* target = nullptr;
    if (uItem != static_cast<UINT>(-1)) {
        if (fByPos) {
            if (uItem >= menu->items.size()) return FALSE;
            target = &menu->items[uItem];
        } else {
            for (auto& i : menu->items)
                if (i.id == uItem && !(i.flags & (MF_POPUP | MF_SEPARATOR))) target = &i;
            if (!target) return FALSE;
        }
    }
    for (auto& i : menu->items) i.flags &= ~MF_DEFAULT;
    if (target) target->flags |= MF_DEFAULT;
    return TRUE;
}

UINT GetMenuDefaultItem(HMENU hMenu, UINT fByPos, UINT) {
    HMENU__* menu = MenuFromHandle(hMenu);
    if (!menu) return static_cast<UINT>(-1);
    for (std::size_t i = 0; i < menu->items.size(); ++i)
        if (menu->items[i].flags & MF_DEFAULT)
            return fByPos ? static_cast<UINT>(i) : menu->items[i].id;
    return static_cast<UINT>(-1);
}

BOOL DestroyMenu(HMENU hMenu) {
    HMENU__* menu = MenuFromHandle(hMenu);
    if (!menu) return FALSE;
    UnregisterTree(menu);
    if (HMENU__* parent = menu->parent) {  // a popup: take it out of its parent
        for (auto& item : parent->items)
            if (item.popup.get() == menu) {
                item.popup.reset();
                item.flags &= ~MF_POPUP;
                return TRUE;
            }
    }
    delete menu;
    return TRUE;
}

BOOL IsMenu(HMENU hMenu) {
    return MenuFromHandle(hMenu) ? TRUE : FALSE;
}

BOOL TrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, int, HWND hWnd, LPCRECT) {
    HMENU__* menu = MenuFromHandle(hMenu);
    if (!menu || !IsWindow(hWnd)) {
        SetLastError(menu ? ERROR_INVALID_WINDOW_HANDLE : ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::uint64_t serial = hWnd->serial;
    InitPopups(hWnd, menu, 0);
    if (!MenuFromHandle(hMenu) || !IsLiveHandle(hWnd, serial)) return FALSE;
    platform::PopupMenuRequest request;
    request.owner = hWnd;
    request.point = POINT{x, y};
    request.flags = uFlags;
    request.items = Entries(menu);
    UINT chosen = platform::GetDesktop().TrackPopupMenu(request);
    if (uFlags & TPM_RETURNCMD) return static_cast<BOOL>(chosen);
    if (chosen != 0 && !(uFlags & TPM_NONOTIFY))
        PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(chosen), 0), 0);
    return TRUE;
}

HACCEL LoadAcceleratorsA(HINSTANCE, LPCSTR lpTableName) {
    if (!IS_INTRESOURCE(lpTableName)) return nullptr;
    auto id = static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(lpTableName));
    const platform::res::AcceleratorTable* table = platform::res::FindAccelerators(id);
    if (!table) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    auto* accel = new HACCEL__;
    accel->entries = table->entries;
    return accel;
}

BOOL DestroyAcceleratorTable(HACCEL hAccel) {
    delete hAccel;
    return hAccel != nullptr;
}
