// The module's resources as the platform stores them: the compiled .res embedded in
// the program, and the binary templates (menus, dialogs, icon groups) read from it.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform::res {

// The raw bytes of a resource of the program's module, or false when it is missing
// (or hidden by a test). Names and types: a string (case-insensitive) or an integer id.
bool FindProgramResource(LPCSTR type, LPCSTR name, const uint8_t** data, size_t* size);

struct MenuItem {
    std::u16string text;  // as in the script, '&' marks kept
    uint16_t id = 0;      // command id (0 for popups and separators)
    uint16_t flags = 0;   // MF_POPUP 0x10, MF_SEPARATOR 0x800, MF_CHECKED 0x8, MF_GRAYED 0x1, MF_END 0x80 ...
    bool popup = false;
    bool separator = false;
    std::vector<MenuItem> children; // a popup's items
};

struct MenuTemplate {
    std::vector<MenuItem> items; // the menu bar: popups and command items
};

// Reads a MENU (or MENUEX) template; false for malformed data, never a read outside it.
bool ParseMenu(const uint8_t* data, size_t size, MenuTemplate* out);

struct DialogItem {
    uint32_t helpId = 0;
    uint32_t exStyle = 0;
    uint32_t style = 0;
    int16_t x = 0, y = 0, cx = 0, cy = 0;
    int32_t id = 0;                // -1 for static texts and group boxes
    std::u16string className;      // "BUTTON", "EDIT", "STATIC", "LISTBOX", "SCROLLBAR", "COMBOBOX" for atoms
    std::u16string text;           // an ordinal text (an icon's id, say) reads "#101"
    bool textIsOrdinal = false;
    uint16_t textOrdinal = 0;
    std::vector<uint8_t> creationData;
};

struct DialogTemplate {
    bool extended = false;  // DIALOGEX
    uint32_t helpId = 0;
    uint32_t exStyle = 0;
    uint32_t style = 0;
    int16_t x = 0, y = 0, cx = 0, cy = 0;
    std::u16string menu;       // ordinals as "#102"
    std::u16string className;  // ordinals (atoms) as "#32770"
    std::u16string caption;
    uint16_t pointSize = 0;
    uint16_t weight = 0;
    uint8_t italic = 0;
    uint8_t charset = 0;
    std::u16string font;
    std::vector<DialogItem> items;
};

// Reads a DIALOG or DIALOGEX template; false for malformed data, never a read outside it.
bool ParseDialog(const uint8_t* data, size_t size, DialogTemplate* out);

// Builds an .ico file image (header, directory, images) from the icon group `name`
// of the program's module; empty when it is missing or malformed.
std::vector<uint8_t> BuildIcoFile(LPCSTR name);

// Between UTF-16 and the narrow code page, which is UTF-8; a unit or byte sequence
// that encodes nothing becomes U+FFFD.
std::string ToUtf8(const std::u16string& s);
std::u16string FromUtf8(std::string_view s);

} // namespace platform::res
