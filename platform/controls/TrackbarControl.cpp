// The trackbar class "msctls_trackbar32": a range, a position in it, and the scroll
// notifications its parent gets while the user moves the thumb (WM_VSCROLL for TBS_VERT,
// else WM_HSCROLL): one per key press or drag step, TB_ENDTRACK when the key or the
// mouse button is released.
#include "base/Fence.h"
#include "controls/Dialogs.h"

#include <commctrl.h>

#include <algorithm>
#include <map>

namespace platform::win32 {
namespace {

struct Trackbar {
    backend::TrackbarShown shown;
    bool pageSizeSet = false; // else the page is a fifth of the range
};

std::map<HWND, Trackbar>& trackbars()
{
    static std::map<HWND, Trackbar> t;
    return t;
}

int Clamp(const backend::TrackbarShown& s, LPARAM position)
{
    return static_cast<int>(std::clamp<LPARAM>(position, s.minimum, std::max(s.minimum, s.maximum)));
}

void Show(HWND hwnd, Trackbar& t) { backend::DialogControls().SetTrackbar(hwnd, t.shown); }

void RangeChanged(HWND hwnd, Trackbar& t)
{
    if (!t.pageSizeSet)
        t.shown.pageSize = std::max(1, (t.shown.maximum - t.shown.minimum) / 5);
    t.shown.position = Clamp(t.shown, t.shown.position);
    Show(hwnd, t);
}

void Notify(HWND hwnd, int code, int position)
{
    const bool vertical = GetWindowLongA(hwnd, GWL_STYLE) & TBS_VERT;
    const bool withPosition = code == TB_THUMBTRACK || code == TB_THUMBPOSITION;
    SendMessageA(GetParent(hwnd), vertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, withPosition ? position : 0),
                 reinterpret_cast<LPARAM>(hwnd));
}

// The notification code of a key and the position it leads to; false for other keys.
bool KeyMove(const backend::TrackbarShown& s, WPARAM key, int* code, int* position)
{
    switch (key) {
    case VK_UP:
    case VK_LEFT:
        *code = TB_LINEUP, *position = s.position - s.lineSize;
        break;
    case VK_DOWN:
    case VK_RIGHT:
        *code = TB_LINEDOWN, *position = s.position + s.lineSize;
        break;
    case VK_PRIOR:
        *code = TB_PAGEUP, *position = s.position - s.pageSize;
        break;
    case VK_NEXT:
        *code = TB_PAGEDOWN, *position = s.position + s.pageSize;
        break;
    case VK_HOME:
        *code = TB_TOP, *position = s.minimum;
        break;
    case VK_END:
        *code = TB_BOTTOM, *position = s.maximum;
        break;
    default:
        return false;
    }
    *position = Clamp(s, *position);
    return true;
}

void OnKeyDown(HWND hwnd, Trackbar& t, WPARAM key)
{
    int code = 0, position = 0;
    // At the end of the range the key moves nothing and tells nothing.
    if (!KeyMove(t.shown, key, &code, &position) || position == t.shown.position)
        return;
    t.shown.position = position;
    Show(hwnd, t);
    Notify(hwnd, code, position);
}

void OnMouseAction(HWND hwnd, Trackbar& t, int code, LPARAM position)
{
    if (code != TB_ENDTRACK) {
        t.shown.position = Clamp(t.shown, position);
        Show(hwnd, t);
    }
    Notify(hwnd, code, t.shown.position);
}

} // namespace

LRESULT CALLBACK TrackbarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return platform::Win32Call<LRESULT>(0, [&]() -> LRESULT {
        if (msg == WM_CREATE) {
            trackbars()[hwnd] = Trackbar{};
            Show(hwnd, trackbars()[hwnd]);
            return 0;
        }
        auto it = trackbars().find(hwnd);
        if (it == trackbars().end())
            return ControlDefault(hwnd, msg, wParam, lParam);
        Trackbar& t = it->second;
        backend::TrackbarShown& s = t.shown;
        switch (msg) {
        case TBM_GETPOS:
            return s.position;
        case TBM_GETRANGEMIN:
            return s.minimum;
        case TBM_GETRANGEMAX:
            return s.maximum;
        case TBM_SETPOS:
            s.position = Clamp(s, lParam);
            Show(hwnd, t);
            return 0;
        case TBM_SETRANGE:
            s.minimum = static_cast<SHORT>(LOWORD(lParam));
            s.maximum = static_cast<SHORT>(HIWORD(lParam));
            RangeChanged(hwnd, t);
            return 0;
        case TBM_SETRANGEMIN:
            s.minimum = static_cast<int>(lParam);
            RangeChanged(hwnd, t);
            return 0;
        case TBM_SETRANGEMAX:
            s.maximum = static_cast<int>(lParam);
            RangeChanged(hwnd, t);
            return 0;
        case TBM_GETPAGESIZE:
            return s.pageSize;
        case TBM_SETPAGESIZE: {
            const int old = s.pageSize;
            s.pageSize = static_cast<int>(lParam);
            t.pageSizeSet = true;
            Show(hwnd, t);
            return old;
        }
        case TBM_GETLINESIZE:
            return s.lineSize;
        case TBM_SETLINESIZE: {
            const int old = s.lineSize;
            s.lineSize = static_cast<int>(lParam);
            Show(hwnd, t);
            return old;
        }
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS;
        case WM_KEYDOWN:
            OnKeyDown(hwnd, t, wParam);
            return 0;
        case WM_KEYUP: {
            int code = 0, position = 0;
            if (KeyMove(s, wParam, &code, &position))
                Notify(hwnd, TB_ENDTRACK, s.position);
            return 0;
        }
        case backend::kTrackbarMouseAction:
            OnMouseAction(hwnd, t, static_cast<int>(wParam), lParam);
            return 0;
        case WM_NCDESTROY:
            trackbars().erase(it);
            return ControlDefault(hwnd, msg, wParam, lParam);
        default:
            return ControlDefault(hwnd, msg, wParam, lParam);
        }
    });
}

} // namespace platform::win32
