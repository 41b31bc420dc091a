// Icons come from the program's icon groups (as .ico images for the backend); cursors are
// the platform's standard ones only.
#include "base/Fence.h"
#include "win32/Icons.h"

#include "resources/ResourceTemplates.h"

#include <map>
#include <string>

namespace platform::win32 {
namespace {

constexpr uintptr_t kStandardIconBase = 0x3000000;
constexpr uintptr_t kStandardCursorBase = 0x3100000;
constexpr uintptr_t kLoadedIconBase = 0x3200010;

struct Icons {
    std::map<HICON, std::vector<uint8_t>> images;
    std::map<std::string, HICON> byName;
    uintptr_t next = kLoadedIconBase;
};

Icons& icons()
{
    static Icons i;
    return i;
}

int IntName(LPCSTR name) { return IS_INTRESOURCE(name) ? static_cast<int>(reinterpret_cast<uintptr_t>(name)) : -1; }

std::string Key(LPCSTR name)
{
    if (IS_INTRESOURCE(name)) {
        std::string key(1, '#'); // appended: g++ 12 -O3 misreads "#" + to_string (-Wrestrict)
        key += std::to_string(IntName(name));
        return key;
    }
    std::string k = name;
    for (char& c : k)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return k;
}

} // namespace

const std::vector<uint8_t>* IconFileImage(HICON icon)
{
    auto it = icons().images.find(icon);
    return it == icons().images.end() ? nullptr : &it->second;
}

int StandardCursorId(HCURSOR cursor)
{
    uintptr_t v = reinterpret_cast<uintptr_t>(cursor);
    return (v & ~uintptr_t{0xFFFF}) == kStandardCursorBase ? static_cast<int>(v & 0xFFFF) : 0;
}

} // namespace platform::win32

using namespace platform::win32;

HICON LoadIconA(HINSTANCE instance, LPCSTR name)
{
    return platform::Win32Call<HICON>(nullptr, [&]() -> HICON {
        if (!name)
            return nullptr;
        if (!instance) {
            int id = IntName(name);
            if (id >= 32512 && id <= 32518)
                return reinterpret_cast<HICON>(kStandardIconBase | static_cast<uintptr_t>(id));
            SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
            return nullptr;
        }
        Icons& i = icons();
        std::string key = Key(name);
        auto known = i.byName.find(key);
        if (known != i.byName.end())
            return known->second;
        std::vector<uint8_t> ico = platform::res::BuildIcoFile(name);
        if (ico.empty()) {
            SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
            return nullptr;
        }
        HICON icon = reinterpret_cast<HICON>(i.next);
        i.next += 0x10;
        auto image = i.images.emplace(icon, std::move(ico)).first;
        try {
            i.byName.emplace(std::move(key), icon);
        } catch (...) {
            i.images.erase(image);
            throw;
        }
        return icon;
    });
}

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name)
{
    int id = IntName(name);
    if (!instance && ((id >= 32512 && id <= 32516) || (id >= 32640 && id <= 32651)))
        return reinterpret_cast<HCURSOR>(kStandardCursorBase | static_cast<uintptr_t>(id));
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
}

// Icons from LoadIcon are shared: destroying one leaves it in place.
BOOL DestroyIcon(HICON icon) { return icon != nullptr; }
