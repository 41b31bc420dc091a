// Window classes, creation and destruction, text, styles and the window records.
#include "win32/Backend.h"
#include "win32/MessageQueue.h"
#include "win32/Timers.h"
#include "win32/Window.h"
#include "win32/WindowEvents.h"
#include "win32/WindowGeometry.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <strings.h>

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

struct Registry {
    std::map<HWND, std::unique_ptr<Window>> windows;
    std::vector<HWND> order;
    uintptr_t nextHandle = 0x10010;
    std::map<std::string, std::shared_ptr<WindowClass>> classes; // by lower-case name
    std::map<ATOM, std::string> atoms;
    ATOM nextAtom = 0xC000;
    CreationHook hook = nullptr;
    void* hookContext = nullptr;
};

Registry& registry()
{
    static Registry r;
    return r;
}

std::shared_ptr<WindowClass> FindClass(LPCSTR name)
{
    Registry& r = registry();
    std::string key;
    if (IS_INTRESOURCE(name)) {
        auto it = r.atoms.find(static_cast<ATOM>(reinterpret_cast<uintptr_t>(name)));
        if (it == r.atoms.end())
            return nullptr;
        key = it->second;
    } else {
        key = Lower(name);
    }
    auto it = r.classes.find(key);
    return it == r.classes.end() ? nullptr : it->second;
}

// Sends WM_DESTROY to a window and then to its children, parents first.
void SendDestroy(HWND hwnd)
{
    if (!FindWindowRecord(hwnd))
        return;
    CallProcedure(hwnd, WM_DESTROY, 0, 0);
    for (HWND child : AllWindows()) {
        Window* c = FindWindowRecord(child);
        if (c && c->IsChild() && c->parent == hwnd)
            SendDestroy(child);
    }
}

// Sends WM_NCDESTROY to the children, deepest first, then to the window, and forgets them.
void SendNcDestroyAndForget(HWND hwnd)
{
    for (HWND child : AllWindows()) {
        Window* c = FindWindowRecord(child);
        if (c && c->IsChild() && c->parent == hwnd)
            SendNcDestroyAndForget(child);
    }
    if (!FindWindowRecord(hwnd))
        return;
    KillTimersOf(hwnd);
    CallProcedure(hwnd, WM_NCDESTROY, 0, 0);
    Registry& r = registry();
    auto it = r.windows.find(hwnd);
    if (it == r.windows.end())
        return;
    HMENU menu = it->second->IsChild() ? nullptr : it->second->menu;
    backend::DestroyWidgets(hwnd);
    r.windows.erase(it);
    r.order.erase(std::remove(r.order.begin(), r.order.end(), hwnd), r.order.end());
    DropMessagesFor(hwnd);
    if (menu)
        DestroyMenu(menu);
}

bool DestroyInternal(HWND hwnd, bool sendDestroy)
{
    Window* w = FindWindowRecord(hwnd);
    if (!w || w->destroying)
        return false;
    w->destroying = true;
    // Owned windows go first.
    for (HWND h : TopLevelWindows()) {
        Window* owned = FindWindowRecord(h);
        if (owned && owned->parent == hwnd)
            DestroyInternal(h, true);
    }
    if (FindWindowRecord(hwnd) && !FindWindowRecord(hwnd)->IsChild())
        PassActivationOn(hwnd);
    if (FindWindowRecord(hwnd))
        backend::Show(hwnd, SW_HIDE);
    if (sendDestroy)
        SendDestroy(hwnd);
    SendNcDestroyAndForget(hwnd);
    return true;
}

} // namespace

Window* FindWindowRecord(HWND hwnd)
{
    if (!hwnd)
        return nullptr;
    Registry& r = registry();
    auto it = r.windows.find(hwnd);
    return it == r.windows.end() ? nullptr : it->second.get();
}

std::vector<HWND> AllWindows() { return registry().order; }

std::vector<HWND> TopLevelWindows()
{
    std::vector<HWND> out;
    for (HWND h : registry().order)
        if (!FindWindowRecord(h)->IsChild())
            out.push_back(h);
    return out;
}

void DestroyAllWindows()
{
    for (HWND h : TopLevelWindows())
        DestroyWindow(h);
}

void SetCreationHook(CreationHook hook, void* context)
{
    registry().hook = hook;
    registry().hookContext = context;
}

bool ClearCreationHook()
{
    bool pending = registry().hook != nullptr;
    registry().hook = nullptr;
    registry().hookContext = nullptr;
    return pending;
}

LRESULT CallProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Window* w = FindWindowRecord(hwnd);
    if (!w || !w->proc)
        return 0;
    WNDPROC proc = w->proc; // the record may go away inside the call
    return proc(hwnd, msg, wParam, lParam);
}

} // namespace platform::win32

using namespace platform::win32;

ATOM RegisterClassA(const WNDCLASSA* wc)
{
    if (!wc || !wc->lpszClassName || IS_INTRESOURCE(wc->lpszClassName) || !*wc->lpszClassName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    Registry& r = registry();
    std::string key = Lower(wc->lpszClassName);
    if (r.classes.count(key)) {
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
    r.classes[key] = cls;
    ATOM atom = r.nextAtom++;
    r.atoms[atom] = key;
    return atom;
}

BOOL UnregisterClassA(LPCSTR name, HINSTANCE)
{
    std::shared_ptr<WindowClass> cls = FindClass(name);
    if (!cls) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    Registry& r = registry();
    for (auto& [h, w] : r.windows)
        if (w->cls == cls) {
            SetLastError(ERROR_CLASS_HAS_WINDOWS);
            return FALSE;
        }
    std::string key = Lower(cls->name.c_str());
    r.classes.erase(key);
    for (auto it = r.atoms.begin(); it != r.atoms.end();)
        it = it->second == key ? r.atoms.erase(it) : std::next(it);
    return TRUE;
}

BOOL GetClassInfoA(HINSTANCE, LPCSTR name, LPWNDCLASSA out)
{
    std::shared_ptr<WindowClass> cls = FindClass(name);
    if (!cls || !out) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    *out = WNDCLASSA{cls->style,  cls->proc,   0, 0, cls->instance, cls->icon, cls->cursor, cls->background,
                     cls->menuName, cls->name.c_str()};
    return TRUE;
}

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param)
{
    std::shared_ptr<WindowClass> cls = className ? FindClass(className) : nullptr;
    if (!cls) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    const bool child = (style & WS_CHILD) != 0;
    if (child ? !FindWindowRecord(parent) : (parent && !FindWindowRecord(parent))) {
        SetLastError(child && !parent ? ERROR_TLW_WITH_WSCHILD : ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    if (!child && !menu && cls->menuName)
        menu = LoadMenuA(cls->instance, cls->menuName);
    if (!child && menu && GetMenuItemCount(menu) < 0) {
        SetLastError(ERROR_INVALID_MENU_HANDLE);
        return nullptr;
    }
    if (!platform::backend::EnsureApplication()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }

    Registry& r = registry();
    auto w = std::make_unique<Window>();
    HWND hwnd = reinterpret_cast<HWND>(r.nextHandle);
    r.nextHandle += 0x10;
    w->hwnd = hwnd;
    w->cls = cls;
    w->proc = cls->proc;
    if (!child && !(style & WS_POPUP))
        style |= WS_CAPTION | WS_CLIPSIBLINGS; // an overlapped window always has a caption
    w->style = style & ~(WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE | WS_DISABLED);
    w->exStyle = exStyle;
    w->parent = parent;
    w->enabled = (style & WS_DISABLED) == 0;
    if (child)
        w->id = reinterpret_cast<UINT_PTR>(menu);
    else
        w->menu = menu;
    w->instance = instance;
    w->text = windowName && !IS_INTRESOURCE(windowName) ? windowName : "";
    Window& rec = *w;
    r.windows[hwnd] = std::move(w);
    r.order.push_back(hwnd);

    platform::backend::CreateWidgets(hwnd);
    platform::backend::SetTitle(hwnd, rec.text);
    platform::backend::SetIcon(hwnd, cls->icon);
    platform::backend::SetCursorShape(hwnd, cls->cursor);
    platform::backend::SetEnabled(hwnd, rec.enabled);
    if (!child && menu)
        platform::backend::SetMenuBar(hwnd, menu);
    RECT rect = CreationRect(style, x, y, width, height);
    PlaceWindow(rec, rect);

    if (r.hook) {
        CreationHook hook = r.hook;
        void* context = r.hookContext;
        ClearCreationHook();
        hook(hwnd, context);
    }

    CREATESTRUCTA cs{param,
                     instance,
                     menu,
                     parent,
                     static_cast<int>(rect.bottom - rect.top),
                     static_cast<int>(rect.right - rect.left),
                     static_cast<int>(rect.top),
                     static_cast<int>(rect.left),
                     static_cast<LONG>(style),
                     windowName,
                     className,
                     exStyle};
    if (!CallProcedure(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
        DestroyInternal(hwnd, false);
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    if (FindWindowRecord(hwnd) && CallProcedure(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(hwnd);
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    if (!FindWindowRecord(hwnd))
        return nullptr;
    NotifyGeometry(hwnd);
    if ((style & WS_VISIBLE) && FindWindowRecord(hwnd))
        ShowWindow(hwnd, (style & WS_MINIMIZE) ? SW_SHOWMINIMIZED : (style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : SW_SHOW);
    return FindWindowRecord(hwnd) ? hwnd : nullptr;
}

BOOL DestroyWindow(HWND hwnd)
{
    if (!FindWindowRecord(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    return DestroyInternal(hwnd, true) ? TRUE : FALSE;
}

BOOL IsWindow(HWND hwnd) { return FindWindowRecord(hwnd) != nullptr; }

BOOL IsChild(HWND parent, HWND hwnd)
{
    for (Window* w = FindWindowRecord(hwnd); w && w->IsChild(); w = FindWindowRecord(w->parent))
        if (w->parent == parent)
            return TRUE;
    return FALSE;
}

HWND GetParent(HWND hwnd)
{
    Window* w = FindWindowRecord(hwnd);
    if (!w)
        return nullptr;
    return (w->IsChild() || (w->style & WS_POPUP)) ? w->parent : nullptr;
}

HWND FindWindowA(LPCSTR className, LPCSTR windowName)
{
    std::vector<HWND> tops = TopLevelWindows();
    for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
        Window* w = FindWindowRecord(*it);
        if (className) {
            std::shared_ptr<WindowClass> cls = FindClass(className);
            if (cls != w->cls)
                continue;
        }
        if (windowName && strcasecmp(windowName, w->text.c_str()) != 0)
            continue;
        return *it;
    }
    SetLastError(ERROR_FILE_NOT_FOUND);
    return nullptr;
}

BOOL SetWindowTextA(HWND hwnd, LPCSTR text)
{
    if (!FindWindowRecord(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    return CallProcedure(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) ? TRUE : FALSE;
}

int GetWindowTextA(HWND hwnd, LPSTR buffer, int size)
{
    if (!buffer || size <= 0)
        return 0;
    buffer[0] = 0;
    if (!FindWindowRecord(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return static_cast<int>(CallProcedure(hwnd, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLengthA(HWND hwnd) { return static_cast<int>(CallProcedure(hwnd, WM_GETTEXTLENGTH, 0, 0)); }

int GetClassNameA(HWND hwnd, LPSTR buffer, int size)
{
    Window* w = FindWindowRecord(hwnd);
    if (!w || !buffer || size <= 0)
        return 0;
    int n = std::min<int>(size - 1, static_cast<int>(w->cls->name.size()));
    std::memcpy(buffer, w->cls->name.data(), n);
    buffer[n] = 0;
    return n;
}

LONG_PTR GetWindowLongPtrA(HWND hwnd, int index)
{
    Window* w = FindWindowRecord(hwnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    switch (index) {
    case GWLP_WNDPROC:
        return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_HINSTANCE:
        return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_HWNDPARENT:
        return reinterpret_cast<LONG_PTR>(w->parent);
    case GWLP_USERDATA:
        return w->userData;
    case GWLP_ID:
        return static_cast<LONG_PTR>(w->id);
    case GWL_STYLE: {
        DWORD s = w->style;
        if (!platform::backend::IsHidden(hwnd))
            s |= WS_VISIBLE;
        if (!w->IsChild() && platform::backend::IsMinimized(hwnd))
            s |= WS_MINIMIZE;
        if (!w->IsChild() && platform::backend::IsMaximized(hwnd))
            s |= WS_MAXIMIZE;
        if (!w->enabled)
            s |= WS_DISABLED;
        return static_cast<LONG>(s);
    }
    case GWL_EXSTYLE:
        return static_cast<LONG>(w->exStyle);
    default:
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
}

LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value)
{
    Window* w = FindWindowRecord(hwnd);
    if (!w) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    LONG_PTR old = GetWindowLongPtrA(hwnd, index);
    switch (index) {
    case GWLP_WNDPROC:
        if (value)
            w->proc = reinterpret_cast<WNDPROC>(value);
        break;
    case GWLP_USERDATA:
        w->userData = value;
        break;
    case GWLP_ID:
        w->id = static_cast<UINT_PTR>(value);
        break;
    case GWL_STYLE:
        w->style = static_cast<DWORD>(value) & ~(WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE | WS_DISABLED);
        break;
    case GWL_EXSTYLE:
        w->exStyle = static_cast<DWORD>(value);
        break;
    default:
        SetLastError(ERROR_INVALID_INDEX);
        return 0;
    }
    return old;
}

LONG GetWindowLongA(HWND hwnd, int index) { return static_cast<LONG>(GetWindowLongPtrA(hwnd, index)); }

LONG SetWindowLongA(HWND hwnd, int index, LONG value) { return static_cast<LONG>(SetWindowLongPtrA(hwnd, index, value)); }

BOOL EnableWindow(HWND hwnd, BOOL enable)
{
    Window* w = FindWindowRecord(hwnd);
    if (!w)
        return FALSE;
    BOOL wasDisabled = !w->enabled;
    if (w->enabled != (enable != 0)) {
        w->enabled = enable != 0;
        platform::backend::SetEnabled(hwnd, w->enabled);
        CallProcedure(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
    }
    return wasDisabled;
}

BOOL IsWindowEnabled(HWND hwnd)
{
    Window* w = FindWindowRecord(hwnd);
    return w && w->enabled;
}
