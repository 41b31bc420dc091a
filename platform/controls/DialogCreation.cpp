// Making a dialog from its template: the window, its font and base units, the controls in
// template order, WM_INITDIALOG, the first focus and the showing.
#include "base/Fence.h"
#include "resources/ResourceTemplates.h"
#include "controls/Dialogs.h"
#include "win32/Display.h"

#include <cstdint>

namespace platform::win32 {
namespace {

constexpr int kFontDpi = 96;          // the screen's LOGPIXELSY
constexpr int kDefaultPointSize = 8;  // a template without DS_SETFONT
const char kDefaultFace[] = "MS Shell Dlg";

// a * b / c rounded to the nearest, halves away from zero.
int MulDivRounded(int a, int b, int c)
{
    const int64_t p = static_cast<int64_t>(a) * b;
    const int64_t half = c / 2;
    return static_cast<int>(p >= 0 ? (p + half) / c : (p - half) / c);
}

RECT ToPixels(SIZE base, int x, int y, int cx, int cy)
{
    const int left = MulDivRounded(x, base.cx, 4);
    const int top = MulDivRounded(y, base.cy, 8);
    return RECT{left, top, left + MulDivRounded(cx, base.cx, 4), top + MulDivRounded(cy, base.cy, 8)};
}

backend::DialogFont TemplateFont(const res::DialogTemplate& t)
{
    backend::DialogFont font;
    const bool own = (t.style & DS_SETFONT) && !t.font.empty();
    font.face = own ? res::ToUtf8(t.font) : kDefaultFace;
    font.pixelHeight = MulDivRounded(own ? t.pointSize : kDefaultPointSize, kFontDpi, 72);
    font.weight = own ? t.weight : 0;
    font.italic = own && t.italic;
    return font;
}

// The average character width as the platform takes it from the alphabet, and the height.
SIZE BaseUnits(const backend::FontMeasure& m) { return SIZE{(m.alphabetWidth / 26 + 1) / 2, m.height}; }

// A top-level dialog's owner is a top-level window.
HWND TopLevelOf(HWND hwnd)
{
    while (hwnd && (GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD))
        hwnd = GetParent(hwnd);
    return hwnd;
}

RECT PlaceDialog(const res::DialogTemplate& t, SIZE base, HWND parent, DWORD style, DWORD exStyle)
{
    RECT r = ToPixels(base, t.x, t.y, t.cx, t.cy);
    const int clientWidth = r.right - r.left, clientHeight = r.bottom - r.top;
    RECT window{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&window, style, FALSE, exStyle);
    const int width = window.right - window.left, height = window.bottom - window.top;
    POINT at{r.left + window.left, r.top + window.top};
    if (t.style & DS_CENTER) {
        // The middle of the screen the owner is on (there is one screen).
        const DisplayMode screen = CurrentDisplayMode();
        at = POINT{(screen.width - width) / 2, (screen.height - height) / 2};
    } else if (parent && !(t.style & DS_ABSALIGN) && !(style & WS_CHILD)) {
        ClientToScreen(parent, &at);
    }
    return RECT{at.x, at.y, at.x + width, at.y + height};
}

std::string ItemText(const res::DialogItem& item) { return item.textIsOrdinal ? std::string() : res::ToUtf8(item.text); }

bool CreateControls(HWND dialog, const res::DialogTemplate& t, SIZE base, HINSTANCE instance)
{
    for (const res::DialogItem& item : t.items) {
        const RECT r = ToPixels(base, item.x, item.y, item.cx, item.cy);
        const std::string cls = res::ToUtf8(item.className);
        const std::string text = ItemText(item);
        HMENU id = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(static_cast<INT_PTR>(item.id)));
        HWND control = CreateWindowExA(item.exStyle | WS_EX_NOPARENTNOTIFY, cls.c_str(), text.c_str(), item.style,
                                       r.left, r.top, r.right - r.left, r.bottom - r.top, dialog, id, instance, nullptr);
        if (!control && !(t.style & DS_NOFAILCREATE))
            return false;
        if (!IsWindow(dialog))
            return false;
    }
    return true;
}

HWND FirstFocus(HWND dialog)
{
    if (HWND h = GetNextDlgTabItem(dialog, nullptr, FALSE))
        return h;
    for (HWND h : ChildWindows(dialog))
        if (TakesDialogInput(h))
            return h;
    return nullptr;
}

} // namespace
} // namespace platform::win32

using namespace platform::win32;

HWND CreateDialogParamA(HINSTANCE instance, LPCSTR name, HWND parent, DLGPROC proc, LPARAM param)
{
    return platform::Win32Call<HWND>(nullptr, [&]() -> HWND {
        HRSRC info = FindResourceA(instance, name, RT_DIALOG);
        HGLOBAL data = info ? LoadResource(instance, info) : nullptr;
        const uint8_t* bytes = data ? static_cast<const uint8_t*>(LockResource(data)) : nullptr;
        platform::res::DialogTemplate t;
        if (!bytes || !platform::res::ParseDialog(bytes, SizeofResource(instance, info), &t)) {
            SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
            return nullptr;
        }
        if (parent && !IsWindow(parent)) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
        RegisterDialogClasses();
        auto& toolkit = platform::backend::DialogControls();

        const DWORD style = t.style & ~WS_VISIBLE; // shown once it is complete
        const DWORD exStyle = t.exStyle | ((t.style & DS_MODALFRAME) ? WS_EX_DLGMODALFRAME : 0);
        const HWND owner = (t.style & WS_CHILD) ? parent : TopLevelOf(parent);
        const platform::backend::DialogFont font = TemplateFont(t);
        const SIZE base = BaseUnits(toolkit.MeasureFont(font));
        const RECT r = PlaceDialog(t, base, owner, style, exStyle);
        const std::string cls = t.className.empty() ? kDialogClass : platform::res::ToUtf8(t.className);
        const std::string caption = platform::res::ToUtf8(t.caption);

        HWND dialog = CreateWindowExA(exStyle, cls.c_str(), caption.c_str(), style, r.left, r.top, r.right - r.left,
                                      r.bottom - r.top, owner, nullptr, instance, nullptr);
        if (!dialog)
            return nullptr;
        DialogRecord& record = AddDialogRecord(dialog);
        record.baseUnits = base;
        toolkit.PrepareDialog(dialog, font, owner);
        if (!CreateControls(dialog, t, base, instance)) {
            DestroyWindow(dialog);
            return nullptr;
        }
        // The procedure sees the dialog complete: WM_INITDIALOG is its first message.
        record.proc = proc;
        const BOOL defaultFocus = static_cast<BOOL>(SendMessageA(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(FirstFocus(dialog)), param));
        if (!IsWindow(dialog))
            return nullptr;
        if (defaultFocus) {
            // WM_INITDIALOG may have changed the controls: the first one is looked for again.
            if (HWND focus = FirstFocus(dialog)) {
                FindDialogRecord(dialog)->focus = focus;
                SetFocus(focus);
            }
        }
        if (t.style & WS_VISIBLE)
            ShowWindow(dialog, SW_SHOWNORMAL);
        return IsWindow(dialog) ? dialog : nullptr;
    });
}

BOOL MapDialogRect(HWND dialog, LPRECT rect)
{
    return platform::Win32Call<BOOL>(FALSE, [&]() -> BOOL {
        DialogRecord* d = FindDialogRecord(dialog);
        if (!d || !rect)
            return FALSE;
        *rect = RECT{MulDivRounded(rect->left, d->baseUnits.cx, 4), MulDivRounded(rect->top, d->baseUnits.cy, 8),
                     MulDivRounded(rect->right, d->baseUnits.cx, 4), MulDivRounded(rect->bottom, d->baseUnits.cy, 8)};
        return TRUE;
    });
}
