// Window classes: registered by name (case-insensitive) and known by their atoms too.
#include "base/Fence.h"
#include "win32/Window.h"

#include <map>

namespace platform::win32 {
namespace {

std::string Lower(const char* s)
{
    std::string r = s ? s : "";
    for (char& c : r)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return r;
}

struct Classes {
    std::map<std::string, std::shared_ptr<WindowClass>> byName; // lower-case names
    std::map<ATOM, std::string> atoms;
    ATOM nextAtom = 0xC000;
};

Classes& classes()
{
    static Classes c;
    return c;
}

} // namespace

std::shared_ptr<const WindowClass> FindWindowClass(LPCSTR name)
{
    Classes& c = classes();
    std::string key;
    if (IS_INTRESOURCE(name)) {
        auto it = c.atoms.find(static_cast<ATOM>(reinterpret_cast<uintptr_t>(name)));
        if (it == c.atoms.end())
            return nullptr;
        key = it->second;
    } else {
        key = Lower(name);
    }
    auto it = c.byName.find(key);
    return it == c.byName.end() ? nullptr : it->second;
}

} // namespace platform::win32

using namespace platform::win32;

ATOM RegisterClassA(const WNDCLASSA* wc)
{
    return platform::Win32Call<ATOM>(0, [&]() -> ATOM {
        if (!wc || !wc->lpszClassName || IS_INTRESOURCE(wc->lpszClassName) || !*wc->lpszClassName) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        Classes& r = classes();
        std::string key = Lower(wc->lpszClassName);
        if (r.byName.count(key)) {
            SetLastError(ERROR_CLASS_ALREADY_EXISTS);
            return 0;
        }
        auto cls = std::make_shared<WindowClass>();
        cls->name = wc->lpszClassName;
        cls->style = wc->style;
        cls->proc = wc->lpfnWndProc ? wc->lpfnWndProc : DefWindowProcA;
        cls->instance = wc->hInstance;
        cls->icon = wc->hIcon;
        cls->cursor = wc->hCursor;
        cls->background = wc->hbrBackground;
        if (wc->lpszMenuName && !IS_INTRESOURCE(wc->lpszMenuName)) {
            cls->menuNameText = wc->lpszMenuName;
            cls->menuName = cls->menuNameText.c_str();
        } else {
            cls->menuName = wc->lpszMenuName;
        }
        const ATOM atom = r.nextAtom;
        auto named = r.byName.emplace(key, cls).first;
        try {
            r.atoms.emplace(atom, std::move(key));
        } catch (...) {
            r.byName.erase(named);
            throw;
        }
        ++r.nextAtom;
        return atom;
    });
}

BOOL UnregisterClassA(LPCSTR name, HINSTANCE)
{
    return platform::Win32Call<BOOL>(FALSE, [&]() -> BOOL {
        std::shared_ptr<const WindowClass> cls = FindWindowClass(name);
        if (!cls) {
            SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
            return FALSE;
        }
        for (HWND h : AllWindows())
            if (FindWindowRecord(h)->cls == cls) {
                SetLastError(ERROR_CLASS_HAS_WINDOWS);
                return FALSE;
            }
        Classes& r = classes();
        std::string key = Lower(cls->name.c_str());
        r.byName.erase(key);
        for (auto it = r.atoms.begin(); it != r.atoms.end();)
            it = it->second == key ? r.atoms.erase(it) : std::next(it);
        return TRUE;
    });
}

BOOL GetClassInfoA(HINSTANCE, LPCSTR name, LPWNDCLASSA out)
{
    return platform::Win32Call<BOOL>(FALSE, [&]() -> BOOL {
        std::shared_ptr<const WindowClass> cls = FindWindowClass(name);
        if (!cls || !out) {
            SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
            return FALSE;
        }
        *out = WNDCLASSA{cls->style,  cls->proc,   0, 0, cls->instance, cls->icon, cls->cursor, cls->background,
                         cls->menuName, cls->name.c_str()};
        return TRUE;
    });
}


namespace platform::win32 {

ATOM RegisterControlClass(const WNDCLASSA& wc, backend::WindowKind (*kindOf)(DWORD style))
{
    const ATOM atom = RegisterClassA(&wc);
    if (atom)
        classes().byName[Lower(wc.lpszClassName)]->kindOf = kindOf;
    return atom;
}

} // namespace platform::win32
