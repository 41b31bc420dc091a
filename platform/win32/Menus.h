// Menus behind HMENUs: items with their flags, ids, texts and popups.
#pragma once
#include "resources/ResourceTemplates.h"

#include <windows.h>

#include <string>
#include <vector>

namespace platform::win32 {

struct MenuItem {
    UINT flags = 0; // MF_CHECKED, MF_GRAYED, MF_DISABLED, MF_SEPARATOR, MF_POPUP
    UINT_PTR id = 0;
    std::string text; // '&' marks kept
    HMENU submenu = nullptr;
};

struct Menu {
    std::vector<MenuItem> items;
};

Menu* FindMenuRecord(HMENU menu);

// How many menus exist, popups included (for the leak checks).
size_t MenuCount();

// Has the window's menu bar show the menu (none for NULL).
void ShowMenuBar(HWND hwnd, HMENU menu);

// A menu bar (popups, separators and command items) built from a menu template.
HMENU BuildMenu(const res::MenuTemplate& tmpl);

// LoadMenuA's work, which may throw: nothing of the menu is left then.
HMENU LoadMenuResource(HINSTANCE instance, LPCSTR name);

// The menu holding an item and its position there: MF_BYPOSITION takes `item` as a
// position of `menu`, else as a command id searched through the popups, depth first.
bool LocateMenuItem(HMENU menu, UINT item, UINT flags, HMENU* holder, int* position);

} // namespace platform::win32
