// Window records, creation and destruction, and the creation hook of the class library.
#include "base/Fence.h"
#include "win32/Backend.h"
#include "win32/Icons.h"
#include "win32/Menus.h"
#include "win32/MessageQueue.h"
#include "win32/Timers.h"
#include "win32/Window.h"
#include "win32/WindowEvents.h"
#include "win32/WindowGeometry.h"

#include <algorithm>
#include <map>

namespace platform::win32 {
namespace {

struct Registry {
    std::map<HWND, std::unique_ptr<Window>> windows;
    std::vector<HWND> order;
    uintptr_t nextHandle = 0x10010;
    CreationHook hook = nullptr;
    void* hookContext = nullptr;
};

Registry& registry()
{
    static Registry r;
    return r;
}

// Drops a window's record, widget and queued messages; a top-level window's menu goes with
// it when the window owns it.
void Forget(HWND hwnd, bool withMenu)
{
    Registry& r = registry();
    auto it = r.windows.find(hwnd);
    if (it == r.windows.end())
        return;
    HMENU menu = withMenu && !it->second->IsChild() ? it->second->menu : nullptr;
    backend::Widgets().Destroy(hwnd);
    r.windows.erase(it);
    r.order.erase(std::remove(r.order.begin(), r.order.end(), hwnd), r.order.end());
    DropMessagesFor(hwnd);
    if (menu)
        DestroyMenu(menu);
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
    Forget(hwnd, true);
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
        backend::Placement().Show(hwnd, SW_HIDE);
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
    return CallBack(proc, hwnd, msg, wParam, lParam);
}

namespace {

// The window's record and widget, placed, before its first message. Nothing is left of it
// (nor of a menu loaded for it) when this cannot be done.
HWND MakeWindow(DWORD exStyle, const std::shared_ptr<const WindowClass>& cls, LPCSTR windowName, DWORD style,
                const RECT& rect, HWND parent, HMENU menu, HMENU loadedMenu, HINSTANCE instance)
{
    Registry& r = registry();
    const bool child = (style & WS_CHILD) != 0;
    HWND hwnd = reinterpret_cast<HWND>(r.nextHandle);
    r.nextHandle += 0x10;
    try {
        auto w = std::make_unique<Window>();
        w->hwnd = hwnd;
        w->cls = cls;
        w->proc = cls->proc;
        w->style = style & ~(WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE | WS_DISABLED);
        w->exStyle = exStyle;
        w->parent = parent;
        w->enabled = (style & WS_DISABLED) == 0;
        if (child)
            w->id = reinterpret_cast<UINT_PTR>(menu);
        else
            w->menu = menu;
        w->instance = instance;
        w->appActiveTold = ApplicationActive();
        w->text = windowName && !IS_INTRESOURCE(windowName) ? windowName : "";
        Window& rec = *w;
        r.order.reserve(r.order.size() + 1);
        r.windows.emplace(hwnd, std::move(w));
        r.order.push_back(hwnd);

        backend::NewWindow shown;
        shown.kind = !child ? backend::WindowKind::TopLevel : cls->kindOf ? cls->kindOf(rec.style) : backend::WindowKind::Child;
        shown.parent = parent;
        shown.text = rec.text;
        shown.style = rec.style;
        shown.exStyle = exStyle;
        shown.classStyle = cls->style;
        backend::Widgets().Create(hwnd, shown);
        backend::Widgets().SetText(hwnd, rec.text);
        static const std::vector<uint8_t> noIcon;
        const std::vector<uint8_t>* icon = IconFileImage(cls->icon);
        backend::Widgets().SetIcon(hwnd, icon ? *icon : noIcon);
        backend::Widgets().SetCursor(hwnd, StandardCursorId(cls->cursor));
        backend::Widgets().SetEnabled(hwnd, rec.enabled);
        if (!child && menu)
            ShowMenuBar(hwnd, menu);
        PlaceWindow(rec, rect);
        return hwnd;
    } catch (...) {
        Forget(hwnd, false);
        if (loadedMenu)
            DestroyMenu(loadedMenu);
        throw;
    }
}

} // namespace

} // namespace platform::win32

using namespace platform::win32;

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param)
{
    return platform::Win32Call<HWND>(nullptr, [&]() -> HWND {
        std::shared_ptr<const WindowClass> cls = className ? FindWindowClass(className) : nullptr;
        if (!cls) {
            SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
            return nullptr;
        }
        const bool child = (style & WS_CHILD) != 0;
        if (child ? !FindWindowRecord(parent) : (parent && !FindWindowRecord(parent))) {
            SetLastError(child && !parent ? ERROR_TLW_WITH_WSCHILD : ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
        if (!platform::backend::App().IsOpen()) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
        }
        HMENU loaded = nullptr;
        if (!child && !menu && cls->menuName)
            menu = loaded = LoadMenuResource(cls->instance, cls->menuName);
        if (!child && menu && GetMenuItemCount(menu) < 0) {
            SetLastError(ERROR_INVALID_MENU_HANDLE);
            return nullptr;
        }
        if (!child && !(style & WS_POPUP))
            style |= WS_CAPTION | WS_CLIPSIBLINGS; // an overlapped window always has a caption
        const RECT rect = CreationRect(style, x, y, width, height);
        const HWND hwnd = MakeWindow(exStyle, cls, windowName, style, rect, parent, menu, loaded, instance);

        Registry& r = registry();
        if (r.hook) {
            CreationHook hook = r.hook;
            void* context = r.hookContext;
            ClearCreationHook();
            platform::CallBack(hook, hwnd, context);
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
        if (Window* made = FindWindowRecord(hwnd))
            made->created = true;
        try {
            if (FindWindowRecord(hwnd))
                NotifyGeometry(hwnd);
            if ((style & WS_VISIBLE) && FindWindowRecord(hwnd))
                Show(hwnd, (style & WS_MINIMIZE) ? SW_SHOWMINIMIZED : (style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : SW_SHOW);
        } catch (...) {
            // The window the program was told of goes again, as when WM_CREATE refuses it.
            if (!platform::ProgramThrew())
                DestroyWindow(hwnd);
            throw;
        }
        return FindWindowRecord(hwnd) ? hwnd : nullptr;
    });
}

BOOL DestroyWindow(HWND hwnd)
{
    return platform::Win32Call(FALSE, [&] {
        if (!FindWindowRecord(hwnd)) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        return DestroyInternal(hwnd, true) ? TRUE : FALSE;
    });
}

BOOL IsWindow(HWND hwnd) { return FindWindowRecord(hwnd) != nullptr; }

