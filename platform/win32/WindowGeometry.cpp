// Window and client rectangles, placing and showing windows, system metrics.
//
// A top-level window's rectangle is the backend's window (menu bar and client area) plus
// a frame of fixed size: a border and a caption. AdjustWindowRect adds the same frame and
// the height of a one-line menu bar, so a window made from its result has exactly the
// client area asked for.
#include "base/Fence.h"
#include "win32/WindowGeometry.h"

#include "win32/Backend.h"
#include "win32/Display.h"
#include "win32/Window.h"
#include "win32/WindowEvents.h"

#include <algorithm>

namespace platform::win32 {
namespace {

constexpr int kCaption = 22;
constexpr int kSmallCaption = 16;
constexpr int kSizingFrame = 4;
constexpr int kFixedFrame = 3;
constexpr int kBorder = 1;

bool SameSize(SIZE a, SIZE b) { return a.cx == b.cx && a.cy == b.cy; }
bool SamePoint(POINT a, POINT b) { return a.x == b.x && a.y == b.y; }

// A child's rectangles are told in its parent's client coordinates.
POINT ParentClientOrigin(const Window& w)
{
    return w.IsChild() ? backend::Placement().ClientOrigin(w.parent) : POINT{0, 0};
}

} // namespace

FrameMargins FrameFor(DWORD style, DWORD exStyle)
{
    int border = 0;
    if (style & WS_THICKFRAME)
        border = kSizingFrame;
    else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
        border = kFixedFrame;
    else if (style & WS_BORDER)
        border = kBorder;
    int caption = (style & WS_CAPTION) == WS_CAPTION ? ((exStyle & WS_EX_TOOLWINDOW) ? kSmallCaption : kCaption) : 0;
    return FrameMargins{border, border + caption, border, border};
}

RECT WindowRectOf(const Window& w)
{
    RECT r = backend::Placement().ContentsRect(w.hwnd);
    if (w.IsChild())
        return r;
    FrameMargins m = FrameFor(w.style, w.exStyle);
    return RECT{r.left - m.left, r.top - m.top, r.right + m.right, r.bottom + m.bottom};
}

void PlaceWindow(const Window& w, const RECT& rect)
{
    RECT r = rect;
    if (w.IsChild()) {
        POINT o = ParentClientOrigin(w);
        OffsetRect(&r, o.x, o.y);
    } else {
        FrameMargins m = FrameFor(w.style, w.exStyle);
        r = RECT{r.left + m.left, r.top + m.top, r.right - m.right, r.bottom - m.bottom};
    }
    r.right = std::max(r.right, r.left);
    r.bottom = std::max(r.bottom, r.top);
    backend::Placement().SetContentsRect(w.hwnd, r);
}

RECT CreationRect(DWORD style, int x, int y, int width, int height)
{
    if (style & WS_CHILD) {
        auto value = [](int v) { return v == CW_USEDEFAULT ? 0 : v; };
        return RECT{value(x), value(y), value(x) + std::max(0, value(width)), value(y) + std::max(0, value(height))};
    }
    DisplayMode d = CurrentDisplayMode();
    if (width == CW_USEDEFAULT) {
        width = d.width * 3 / 4;
        height = d.height * 3 / 4;
    }
    width = std::max(0, width);
    height = std::max(0, height);
    // The default place: the middle of the screen.
    if (x == CW_USEDEFAULT) {
        x = std::max(0, (d.width - width) / 2);
        y = std::max(0, (d.height - height) / 2);
    }
    return RECT{x, y, x + width, y + height};
}

SIZE ClientSize(HWND hwnd)
{
    Window* w = FindWindowRecord(hwnd);
    if (!w || (!w->IsChild() && backend::Placement().IsMinimized(hwnd)))
        return SIZE{0, 0};
    return backend::Placement().ClientSize(hwnd);
}

void NotifyGeometry(HWND hwnd)
{
    Window* w = FindWindowRecord(hwnd);
    if (!w)
        return;
    const bool minimized = !w->IsChild() && backend::Placement().IsMinimized(hwnd);
    const bool maximized = !w->IsChild() && backend::Placement().IsMaximized(hwnd);
    const UINT type = minimized ? SIZE_MINIMIZED : maximized ? SIZE_MAXIMIZED : SIZE_RESTORED;
    const SIZE size = ClientSize(hwnd);
    if (!w->sizeReported || type != w->reportedSizeType || !SameSize(size, w->reportedSize)) {
        const bool resized = w->sizeReported && !minimized && !SameSize(size, w->reportedSize);
        w->sizeReported = true;
        w->reportedSizeType = type;
        w->reportedSize = size;
        if (resized)
            InvalidateWholeClient(hwnd, true);
        CallProcedure(hwnd, WM_SIZE, type, MAKELPARAM(size.cx, size.cy));
    }
    w = FindWindowRecord(hwnd);
    if (!w || minimized)
        return;
    POINT origin = backend::Placement().ClientOrigin(hwnd);
    POINT parent = ParentClientOrigin(*w);
    origin.x -= parent.x;
    origin.y -= parent.y;
    if (!w->moveReported || !SamePoint(origin, w->reportedOrigin)) {
        w->moveReported = true;
        w->reportedOrigin = origin;
        CallProcedure(hwnd, WM_MOVE, 0, MAKELPARAM(origin.x, origin.y));
    }
}

BOOL Show(HWND hwnd, int cmd)
{
    Window* w = FindWindowRecord(hwnd);
    if (!w)
        return FALSE;
    const bool wasVisible = !backend::Placement().IsHidden(hwnd);
    const bool hide = cmd == SW_HIDE;
    if (wasVisible == hide)
        CallProcedure(hwnd, WM_SHOWWINDOW, hide ? FALSE : TRUE, 0);
    if (!FindWindowRecord(hwnd))
        return wasVisible;
    const bool topLevel = !w->IsChild();
    if (topLevel && (hide || cmd == SW_MINIMIZE || cmd == SW_SHOWMINNOACTIVE))
        PassActivationOn(hwnd);
    backend::Placement().Show(hwnd, cmd);
    if (!hide && !wasVisible)
        InvalidateWholeClient(hwnd, true);
    const bool activate = cmd == SW_SHOWNORMAL || cmd == SW_SHOWMINIMIZED || cmd == SW_SHOWMAXIMIZED ||
                          cmd == SW_SHOW || cmd == SW_RESTORE || cmd == SW_SHOWDEFAULT;
    w = FindWindowRecord(hwnd);
    if (topLevel && activate && w && w->enabled) {
        SetActivation(hwnd, true);
        backend::Placement().Activate(hwnd);
    }
    NotifyGeometry(hwnd);
    return wasVisible;
}

} // namespace platform::win32

using namespace platform::win32;

BOOL GetClientRect(HWND hwnd, LPRECT rect)
{
    return platform::Win32Call<BOOL>(FALSE, [&]() -> BOOL {
        if (!rect)
            return FALSE;
        if (!FindWindowRecord(hwnd)) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        SIZE s = ClientSize(hwnd);
        *rect = RECT{0, 0, s.cx, s.cy};
        return TRUE;
    });
}

BOOL GetWindowRect(HWND hwnd, LPRECT rect)
{
    return platform::Win32Call<BOOL>(FALSE, [&]() -> BOOL {
        Window* w = FindWindowRecord(hwnd);
        if (!rect)
            return FALSE;
        if (!w) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        *rect = WindowRectOf(*w);
        return TRUE;
    });
}

BOOL ClientToScreen(HWND hwnd, LPPOINT point)
{
    return platform::Win32Call<BOOL>(FALSE, [&]() -> BOOL {
        if (!point || !FindWindowRecord(hwnd))
            return FALSE;
        POINT o = platform::backend::Placement().ClientOrigin(hwnd);
        point->x += o.x;
        point->y += o.y;
        return TRUE;
    });
}

BOOL ScreenToClient(HWND hwnd, LPPOINT point)
{
    return platform::Win32Call<BOOL>(FALSE, [&]() -> BOOL {
        if (!point || !FindWindowRecord(hwnd))
            return FALSE;
        POINT o = platform::backend::Placement().ClientOrigin(hwnd);
        point->x -= o.x;
        point->y -= o.y;
        return TRUE;
    });
}

BOOL ShowWindow(HWND hwnd, int cmd)
{
    return platform::Win32Call(FALSE, [&] { return Show(hwnd, cmd); });
}

BOOL SetWindowPos(HWND hwnd, HWND, int x, int y, int cx, int cy, UINT flags)
{
    return platform::Win32Call<BOOL>(FALSE, [&]() -> BOOL {
        Window* w = FindWindowRecord(hwnd);
        if (!w) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        RECT cur = WindowRectOf(*w);
        if (w->IsChild()) {
            POINT o = platform::backend::Placement().ClientOrigin(w->parent);
            OffsetRect(&cur, -o.x, -o.y);
        }
        RECT next = cur;
        if (!(flags & SWP_NOMOVE))
            OffsetRect(&next, x - cur.left, y - cur.top);
        if (!(flags & SWP_NOSIZE)) {
            next.right = next.left + std::max(0, cx);
            next.bottom = next.top + std::max(0, cy);
        }
        if (!EqualRect(&cur, &next))
            PlaceWindow(*w, next);
        if (flags & SWP_HIDEWINDOW)
            ShowWindow(hwnd, SW_HIDE);
        else if (flags & SWP_SHOWWINDOW)
            ShowWindow(hwnd, SW_SHOWNA);
        w = FindWindowRecord(hwnd);
        if (w && !w->IsChild() && !(flags & SWP_NOACTIVATE) && w->enabled && platform::backend::Placement().IsVisible(hwnd)) {
            SetActivation(hwnd, true);
            platform::backend::Placement().Activate(hwnd);
        }
        NotifyGeometry(hwnd);
        return TRUE;
    });
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint)
{
    return SetWindowPos(hwnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL IsWindowVisible(HWND hwnd)
{
    return platform::Win32Call<BOOL>(FALSE, [&]() -> BOOL {
        return FindWindowRecord(hwnd) && platform::backend::Placement().IsVisible(hwnd);
    });
}

BOOL IsIconic(HWND hwnd)
{
    return platform::Win32Call<BOOL>(FALSE, [&]() -> BOOL {
        Window* w = FindWindowRecord(hwnd);
        return w && !w->IsChild() && platform::backend::Placement().IsMinimized(hwnd);
    });
}

BOOL IsZoomed(HWND hwnd)
{
    return platform::Win32Call<BOOL>(FALSE, [&]() -> BOOL {
        Window* w = FindWindowRecord(hwnd);
        return w && !w->IsChild() && platform::backend::Placement().IsMaximized(hwnd);
    });
}

BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle)
{
    return platform::Win32Call<BOOL>(FALSE, [&]() -> BOOL {
        if (!rect)
            return FALSE;
        FrameMargins m = FrameFor(style, exStyle);
        rect->left -= m.left;
        rect->top -= m.top + (menu ? platform::backend::Menus().Height() : 0);
        rect->right += m.right;
        rect->bottom += m.bottom;
        return TRUE;
    });
}

BOOL AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu) { return AdjustWindowRectEx(rect, style, menu, 0); }

int GetSystemMetrics(int index)
{
    return platform::Win32Call<int>(0, [&]() -> int {
        switch (index) {
        case SM_CXSCREEN:
        case SM_CXFULLSCREEN:
            return platform::CurrentDisplayMode().width;
        case SM_CYSCREEN:
        case SM_CYFULLSCREEN:
            return platform::CurrentDisplayMode().height;
        case SM_CXVSCROLL:
        case SM_CYHSCROLL:
            return 16;
        case SM_CYCAPTION:
            return kCaption;
        case SM_CYSMCAPTION:
            return kSmallCaption;
        case SM_CXBORDER:
        case SM_CYBORDER:
            return kBorder;
        case SM_CXDLGFRAME:
        case SM_CYDLGFRAME:
            return kFixedFrame;
        case SM_CXFRAME:
        case SM_CYFRAME:
            return kSizingFrame;
        case SM_CXICON:
        case SM_CYICON:
        case SM_CXCURSOR:
        case SM_CYCURSOR:
            return 32;
        case SM_CXSMICON:
        case SM_CYSMICON:
            return 16;
        case SM_CYMENU:
            return platform::backend::Menus().Height();
        case SM_CXMIN:
            return 112;
        case SM_CYMIN:
            return 27;
        default:
            return 0;
        }
    });
}

BOOL GetCursorPos(LPPOINT point)
{
    return platform::Win32Call<BOOL>(FALSE, [&]() -> BOOL {
        if (!point)
            return FALSE;
        *point = platform::backend::App().CursorPos();
        return TRUE;
    });
}
