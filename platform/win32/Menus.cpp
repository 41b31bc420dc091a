// Menus: the menu model behind HMENUs, menus built from menu templates, check marks and
// item states. The backend shows a window's menu as its menu bar.
#include "base/Fence.h"
#include "win32/Menus.h"

#include "win32/Backend.h"
#include "win32/Window.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

namespace platform::win32 {
namespace {

constexpr UINT kStateFlags = MF_CHECKED | MF_GRAYED | MF_DISABLED | MF_MENUBREAK | MF_MENUBARBREAK;

struct Menus {
    std::map<HMENU, std::unique_ptr<Menu>> menus;
    uintptr_t nextHandle = 0x1000010;
};

Menus& menus()
{
    static Menus m;
    return m;
}

HMENU NewMenu()
{
    Menus& m = menus();
    HMENU h = reinterpret_cast<HMENU>(m.nextHandle);
    auto menu = std::make_unique<Menu>();
    m.menus.emplace(h, std::move(menu));
    m.nextHandle += 0x10;
    return h;
}

// Each item goes into its menu as soon as it is made, so that destroying the menu takes
// everything made so far.
void AddItems(HMENU menu, const std::vector<res::MenuItem>& items)
{
    for (const res::MenuItem& t : items) {
        MenuItem item;
        item.text = res::ToUtf8(t.text);
        item.flags = t.flags & kStateFlags;
        std::vector<MenuItem>& list = FindMenuRecord(menu)->items;
        list.reserve(list.size() + 1);
        if (t.popup) {
            item.flags |= MF_POPUP;
            item.submenu = NewMenu();
        } else if (t.separator) {
            item.flags |= MF_SEPARATOR;
            item.text.clear();
        } else {
            item.id = t.id;
        }
        list.push_back(std::move(item)); // room was made above
        if (t.popup)
            AddItems(list.back().submenu, t.children);
    }
}

backend::MenuItemShown Shown(const MenuItem& item)
{
    backend::MenuItemShown shown;
    shown.flags = item.flags;
    shown.id = static_cast<UINT>(item.id);
    shown.text = item.text;
    return shown;
}

backend::MenuShown Shown(HMENU menu)
{
    backend::MenuShown shown;
    shown.handle = menu;
    if (Menu* m = FindMenuRecord(menu)) {
        for (const MenuItem& item : m->items) {
            shown.items.push_back(Shown(item));
            if (item.flags & MF_POPUP)
                shown.items.back().popup = Shown(item.submenu);
        }
    }
    return shown;
}

// The menu or one of its popups, at any depth, is `part`.
bool Holds(HMENU menu, HMENU part)
{
    if (menu == part)
        return true;
    if (Menu* m = FindMenuRecord(menu))
        for (const MenuItem& item : m->items)
            if ((item.flags & MF_POPUP) && Holds(item.submenu, part))
                return true;
    return false;
}

MenuItem* Locate(HMENU menu, UINT item, UINT flags, HMENU* holder = nullptr, int* position = nullptr)
{
    HMENU h = nullptr;
    int pos = -1;
    if (!LocateMenuItem(menu, item, flags, &h, &pos))
        return nullptr;
    if (holder)
        *holder = h;
    if (position)
        *position = pos;
    return &FindMenuRecord(h)->items[static_cast<size_t>(pos)];
}

} // namespace

Menu* FindMenuRecord(HMENU menu)
{
    auto it = menus().menus.find(menu);
    return it == menus().menus.end() ? nullptr : it->second.get();
}

size_t MenuCount() { return menus().menus.size(); }

void ShowMenuBar(HWND hwnd, HMENU menu)
{
    if (!menu) {
        backend::Menus().SetMenu(hwnd, nullptr);
        return;
    }
    const backend::MenuShown shown = Shown(menu);
    backend::Menus().SetMenu(hwnd, &shown);
}

HMENU BuildMenu(const res::MenuTemplate& tmpl)
{
    HMENU menu = NewMenu();
    try {
        AddItems(menu, tmpl.items);
    } catch (...) {
        DestroyMenu(menu); // with the popups already made
        throw;
    }
    return menu;
}

HMENU LoadMenuResource(HINSTANCE instance, LPCSTR name)
{
    HRSRC found = FindResourceA(instance, name, RT_MENU);
    HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    res::MenuTemplate tmpl;
    if (!data || !res::ParseMenu(static_cast<const uint8_t*>(data), SizeofResource(instance, found), &tmpl)) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    return BuildMenu(tmpl);
}

bool LocateMenuItem(HMENU menu, UINT item, UINT flags, HMENU* holder, int* position)
{
    Menu* m = FindMenuRecord(menu);
    if (!m)
        return false;
    if (flags & MF_BYPOSITION) {
        if (item >= m->items.size())
            return false;
        *holder = menu;
        *position = static_cast<int>(item);
        return true;
    }
    for (size_t i = 0; i < m->items.size(); ++i) {
        const MenuItem& it = m->items[i];
        if (it.flags & MF_POPUP) {
            if (LocateMenuItem(it.submenu, item, flags, holder, position))
                return true;
        } else if (!(it.flags & MF_SEPARATOR) && it.id == item) {
            *holder = menu;
            *position = static_cast<int>(i);
            return true;
        }
    }
    return false;
}

} // namespace platform::win32

using namespace platform::win32;

HMENU CreateMenu() { return platform::Win32Call<HMENU>(nullptr, NewMenu); }

HMENU CreatePopupMenu() { return platform::Win32Call<HMENU>(nullptr, NewMenu); }

BOOL DestroyMenu(HMENU menu)
{
    // Allocates nothing: it is how a menu that could not be made is taken apart.
    auto taken = menus().menus.extract(menu);
    if (taken.empty()) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return FALSE;
    }
    for (const MenuItem& item : taken.mapped()->items)
        if (item.submenu)
            DestroyMenu(item.submenu);
    return TRUE;
}

HMENU LoadMenuA(HINSTANCE instance, LPCSTR name)
{
    return platform::Win32Call<HMENU>(nullptr, [&] { return LoadMenuResource(instance, name); });
}

BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR idNewItem, LPCSTR text)
{
    return platform::Win32Call<BOOL>(FALSE, [&]() -> BOOL {
        Menu* m = FindMenuRecord(menu);
        if (!m || ((flags & MF_POPUP) && !FindMenuRecord(reinterpret_cast<HMENU>(idNewItem)))) {
            SetLastError(ERROR_INVALID_MENU_HANDLE);
            return FALSE;
        }
        MenuItem item;
        item.flags = (flags & (kStateFlags | MF_POPUP | MF_SEPARATOR));
        if (flags & MF_POPUP)
            item.submenu = reinterpret_cast<HMENU>(idNewItem);
        else if (!(flags & MF_SEPARATOR))
            item.id = idNewItem;
        if (!(flags & MF_SEPARATOR) && text)
            item.text = text;
        m->items.push_back(std::move(item));
        // The bars that show the menu are built again.
        for (HWND h : TopLevelWindows()) {
            Window* w = FindWindowRecord(h);
            if (w && w->menu && Holds(w->menu, menu))
                ShowMenuBar(h, w->menu);
        }
        return TRUE;
    });
}

HMENU GetMenu(HWND hwnd)
{
    Window* w = FindWindowRecord(hwnd);
    return w && !w->IsChild() ? w->menu : nullptr;
}

BOOL SetMenu(HWND hwnd, HMENU menu)
{
    return platform::Win32Call<BOOL>(FALSE, [&]() -> BOOL {
        Window* w = FindWindowRecord(hwnd);
        if (!w || w->IsChild() || (menu && !FindMenuRecord(menu))) {
            SetLastError(w ? ERROR_INVALID_MENU_HANDLE : ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        w->menu = menu;
        ShowMenuBar(hwnd, menu);
        NotifyGeometry(hwnd);
        return TRUE;
    });
}

BOOL DrawMenuBar(HWND hwnd)
{
    return platform::Win32Call<BOOL>(FALSE, [&]() -> BOOL {
        Window* w = FindWindowRecord(hwnd);
        if (!w || w->IsChild())
            return FALSE;
        ShowMenuBar(hwnd, w->menu);
        return TRUE;
    });
}

HMENU GetSubMenu(HMENU menu, int pos)
{
    Menu* m = FindMenuRecord(menu);
    if (!m || pos < 0 || static_cast<size_t>(pos) >= m->items.size())
        return nullptr;
    return m->items[static_cast<size_t>(pos)].submenu;
}

int GetMenuItemCount(HMENU menu)
{
    Menu* m = FindMenuRecord(menu);
    if (!m) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return -1;
    }
    return static_cast<int>(m->items.size());
}

UINT GetMenuItemID(HMENU menu, int pos)
{
    Menu* m = FindMenuRecord(menu);
    if (!m || pos < 0 || static_cast<size_t>(pos) >= m->items.size())
        return static_cast<UINT>(-1);
    const MenuItem& item = m->items[static_cast<size_t>(pos)];
    return (item.flags & MF_POPUP) ? static_cast<UINT>(-1) : static_cast<UINT>(item.id);
}

UINT GetMenuState(HMENU menu, UINT id, UINT flags)
{
    MenuItem* item = Locate(menu, id, flags);
    if (!item)
        return static_cast<UINT>(-1);
    if (item->flags & MF_POPUP)
        return (static_cast<UINT>(GetMenuItemCount(item->submenu)) << 8) | (item->flags & 0xFF);
    return item->flags;
}

int GetMenuStringA(HMENU menu, UINT id, LPSTR buffer, int size, UINT flags)
{
    MenuItem* item = Locate(menu, id, flags);
    if (!item)
        return 0;
    int n = static_cast<int>(item->text.size());
    if (!buffer || size <= 0)
        return n;
    n = std::min(n, size - 1);
    std::memcpy(buffer, item->text.data(), static_cast<size_t>(n));
    buffer[n] = 0;
    return n;
}

DWORD CheckMenuItem(HMENU menu, UINT id, UINT check)
{
    return platform::Win32Call<DWORD>(static_cast<DWORD>(-1), [&]() -> DWORD {
        HMENU holder = nullptr;
        int pos = 0;
        MenuItem* item = Locate(menu, id, check, &holder, &pos);
        if (!item)
            return static_cast<DWORD>(-1);
        DWORD previous = item->flags & MF_CHECKED;
        item->flags = (item->flags & ~MF_CHECKED) | (check & MF_CHECKED);
        platform::backend::Menus().ItemChanged(holder, pos, Shown(*item));
        return previous;
    });
}

BOOL EnableMenuItem(HMENU menu, UINT id, UINT enable)
{
    return platform::Win32Call<BOOL>(-1, [&]() -> BOOL {
        HMENU holder = nullptr;
        int pos = 0;
        MenuItem* item = Locate(menu, id, enable, &holder, &pos);
        if (!item)
            return -1;
        UINT previous = item->flags & (MF_GRAYED | MF_DISABLED);
        item->flags = (item->flags & ~(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
        platform::backend::Menus().ItemChanged(holder, pos, Shown(*item));
        return static_cast<BOOL>(previous);
    });
}
