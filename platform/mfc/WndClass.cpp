// Window classes registered by the class library under names made from their attributes.
#include <afxwin.h>

#include <cstdio>
#include <set>
#include <string>

LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    static std::set<std::string> names; // the returned names stay valid
    HINSTANCE instance = AfxGetInstanceHandle();
    char name[160];
    if (!hCursor && !hbrBackground && !hIcon)
        std::snprintf(name, sizeof name, "Afx:%p:%x", static_cast<void*>(instance), nClassStyle);
    else
        std::snprintf(name, sizeof name, "Afx:%p:%x:%p:%p:%p", static_cast<void*>(instance), nClassStyle,
                      static_cast<void*>(hCursor), static_cast<void*>(hbrBackground), static_cast<void*>(hIcon));
    const std::string& stored = *names.insert(name).first;
    WNDCLASSA wc;
    if (!::GetClassInfoA(instance, stored.c_str(), &wc)) {
        wc = WNDCLASSA{nClassStyle, &::DefWindowProcA, 0, 0, instance, hIcon, hCursor, hbrBackground, nullptr, stored.c_str()};
        ::RegisterClassA(&wc);
    }
    return stored.c_str();
}
