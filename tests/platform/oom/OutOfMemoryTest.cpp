// When memory runs out inside a call of the platform, the call fails as the platform
// documents (its failure value, ERROR_NOT_ENOUGH_MEMORY or E_OUTOFMEMORY), no exception
// leaves it, and nothing half-made stays behind. What the program's own procedures throw
// still reaches the program.
#include "FailingNew.h"
#include "support/BmpFiles.h"
#include "support/DirectDrawTestSupport.h"
#include "gdi/GdiObjects.h"
#include "win32/Menus.h"
#include "win32/Window.h"

#include <resource.h>

#include <ddraw.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <new>
#include <string>

namespace {

// Fails allocation N of `call` for N = 1, 2, ... until the call gets through without a
// failed allocation, which it must then do successfully. Each failed call must have failed
// (false) and pass `clean`, given the last error. Gives how many allocations were failed.
template <class Call, class Clean>
long Sweep(const char* what, Call call, Clean clean)
{
    for (long n = 1;; ++n) {
        SetLastError(ERROR_SUCCESS);
        oom::FailAllocation(n);
        bool ok = false;
        try {
            ok = call();
        } catch (...) {
            oom::Disarm();
            ADD_FAILURE() << what << ": an exception left the call when allocation " << n << " failed";
            return n;
        }
        const DWORD error = GetLastError();
        if (!oom::Disarm()) {
            EXPECT_TRUE(ok) << what << " failed with memory to spare";
            return n - 1;
        }
        EXPECT_FALSE(ok) << what << " reported success although allocation " << n << " failed";
        clean(error);
        if (::testing::Test::HasFailure())
            return n;
    }
}

std::string LongText(char c) { return std::string(100, c); } // past any short-string buffer

struct OutOfMemory : ::testing::Test {
    HINSTANCE program = GetModuleHandleA(nullptr);

    // The toolkit's application is made unarmed: the toolkit cannot take apart one it
    // failed to make.
    void SetUp() override { DestroyWindow(MakeWindow()); }

    // A top-level window of a class with the game's menu.
    const char* MenuClass()
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = program;
        wc.lpszMenuName = MAKEINTRESOURCEA(IDR_MENU);
        wc.lpszClassName = "OomMenuWindow";
        if (!GetClassInfoA(program, wc.lpszClassName, &wc)) {
            EXPECT_NE(RegisterClassA(&wc), 0);
        }
        return "OomMenuWindow";
    }
    HWND MakeWindow(DWORD style = WS_OVERLAPPEDWINDOW)
    {
        return CreateWindowExA(0, MenuClass(), "Before", style, 10, 10, 300, 200, nullptr, nullptr, program, nullptr);
    }
};

TEST_F(OutOfMemory, ClassesWindowsMenusAndTextsFailWholeOrNotAtAll)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "OomClassWithALongNameThatNeedsMemoryOfItsOwn";
    EXPECT_GT(Sweep("RegisterClassA", [&] { return RegisterClassA(&wc) != 0; },
                    [&](DWORD error) {
                        EXPECT_EQ(error, static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
                        WNDCLASSA found{};
                        EXPECT_FALSE(GetClassInfoA(nullptr, wc.lpszClassName, &found)) << "a class half registered";
                    }),
              0);

    MenuClass();
    const size_t windows = platform::win32::AllWindows().size();
    const size_t menus = platform::win32::MenuCount();
    HWND made = nullptr;
    EXPECT_GT(Sweep("CreateWindowExA", [&] { return (made = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE)) != nullptr; },
                    [&](DWORD error) {
                        EXPECT_EQ(error, static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
                        EXPECT_EQ(platform::win32::AllWindows().size(), windows) << "a window left behind";
                        EXPECT_EQ(platform::win32::MenuCount(), menus) << "the class menu left behind";
                    }),
              10);
    ASSERT_TRUE(made);
    EXPECT_TRUE(GetMenu(made)) << "made without its class menu";
    EXPECT_TRUE(IsWindowVisible(made));

    const std::string after = LongText('a');
    EXPECT_GT(Sweep("SetWindowTextA", [&] { return SetWindowTextA(made, after.c_str()) != FALSE; },
                    [&](DWORD error) {
                        EXPECT_EQ(error, static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
                        char text[200] = {};
                        GetWindowTextA(made, text, sizeof text);
                        EXPECT_STREQ(text, "Before");
                    }),
              0);
    char text[200] = {};
    GetWindowTextA(made, text, sizeof text);
    EXPECT_EQ(text, after);

    EXPECT_TRUE(DestroyWindow(made));
    EXPECT_EQ(platform::win32::MenuCount(), menus);

    HMENU menu = nullptr;
    EXPECT_GT(Sweep("LoadMenuA", [&] { return (menu = LoadMenuA(program, MAKEINTRESOURCEA(IDR_MENU))) != nullptr; },
                    [&](DWORD error) {
                        EXPECT_EQ(error, static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
                        EXPECT_EQ(platform::win32::MenuCount(), menus) << "part of a menu left behind";
                    }),
              3);
    EXPECT_GT(GetMenuItemCount(menu), 0);
    EXPECT_TRUE(DestroyMenu(menu));
}

TEST_F(OutOfMemory, TimersAndPostedMessagesAreAllOrNothing)
{
    HWND h = MakeWindow();
    ASSERT_TRUE(h);
    EXPECT_GT(Sweep("SetTimer", [&] { return SetTimer(h, 7, 100, nullptr) == 7; },
                    [&](DWORD error) {
                        EXPECT_EQ(error, static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
                        EXPECT_FALSE(KillTimer(h, 7)) << "a timer left behind";
                    }),
              0);
    EXPECT_TRUE(KillTimer(h, 7));

    // Enough posts that the queue needs more room; each one that fails leaves the queue as it was.
    int posted = 0;
    auto drain = [&] {
        int n = 0;
        MSG m;
        while (PeekMessageA(&m, h, WM_USER, WM_USER, PM_REMOVE))
            ++n;
        return n;
    };
    EXPECT_GT(Sweep("PostMessageA",
                    [&] {
                        for (posted = 0; posted < 64; ++posted)
                            if (!PostMessageA(h, WM_USER, 0, 0))
                                return false;
                        return true;
                    },
                    [&](DWORD error) {
                        EXPECT_EQ(error, static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
                        EXPECT_EQ(drain(), posted);
                    }),
              0);
    EXPECT_EQ(drain(), 64);
    DestroyWindow(h);
}

TEST_F(OutOfMemory, BitmapFromFileIsNullAndLeavesNoObject)
{
    const std::string path = ::testing::TempDir() + "oom-bitmap.bmp";
    testsupport::WriteFile(path, testsupport::MakeBmp(40, 30, 24, false, testsupport::Pattern));
    const int objects = platform::gdi::LiveObjectCount();
    HANDLE bitmap = nullptr;
    EXPECT_GT(Sweep("LoadImageA",
                    [&] {
                        bitmap = LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 80, 60, LR_LOADFROMFILE);
                        return bitmap != nullptr;
                    },
                    [&](DWORD error) {
                        EXPECT_EQ(error, static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
                        EXPECT_EQ(platform::gdi::LiveObjectCount(), objects);
                    }),
              0);
    EXPECT_TRUE(DeleteObject(bitmap));
    std::remove(path.c_str());
}

TEST_F(OutOfMemory, DirectDrawObjectsGiveOutOfMemory)
{
    IDirectDraw* dd = nullptr;
    HRESULT hr = S_OK;
    EXPECT_GT(Sweep("DirectDrawCreate", [&] { return SUCCEEDED(hr = DirectDrawCreate(nullptr, &dd, nullptr)); },
                    [&](DWORD) {
                        EXPECT_EQ(hr, E_OUTOFMEMORY);
                        EXPECT_EQ(dd, nullptr);
                    }),
              0);
    ASSERT_TRUE(dd);
    ASSERT_EQ(dd->SetCooperativeLevel(nullptr, DDSCL_NORMAL), DD_OK);
    DDSURFACEDESC desc = testsupport::OffscreenDesc(64, 48);
    IDirectDrawSurface* surface = nullptr;
    EXPECT_GT(Sweep("CreateSurface", [&] { return SUCCEEDED(hr = dd->CreateSurface(&desc, &surface, nullptr)); },
                    [&](DWORD) {
                        EXPECT_EQ(hr, E_OUTOFMEMORY);
                        EXPECT_EQ(surface, nullptr);
                    }),
              0);
    ASSERT_TRUE(surface);
    surface->Release();
    dd->Release();
}

// What the program's own procedures throw is theirs: it passes every call unchanged, the
// program's own std::bad_alloc included.
struct ProgramError {
    int code;
};

LRESULT CALLBACK ThrowingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_USER || msg == WM_CLOSE)
        throw std::bad_alloc();
    if (msg == WM_USER + 1)
        throw ProgramError{static_cast<int>(wParam)};
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void CALLBACK ThrowingTimer(HWND, UINT, UINT_PTR id, DWORD) { throw ProgramError{static_cast<int>(id)}; }

TEST_F(OutOfMemory, WhatTheProgramThrowsPassesThrough)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = ThrowingProc;
    wc.lpszClassName = "OomThrowingWindow";
    ASSERT_NE(RegisterClassA(&wc), 0);
    HWND h = CreateWindowExA(0, wc.lpszClassName, "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(h);

    EXPECT_THROW(SendMessageA(h, WM_USER, 0, 0), std::bad_alloc);
    try {
        PostMessageA(h, WM_USER + 1, 42, 0);
        MSG m;
        ASSERT_TRUE(PeekMessageA(&m, h, 0, 0, PM_REMOVE));
        DispatchMessageA(&m);
        ADD_FAILURE() << "DispatchMessageA swallowed the procedure's exception";
    } catch (const ProgramError& e) {
        EXPECT_EQ(e.code, 42);
    }
    // Through a call of the platform's own that sends on: the default handling of a close.
    EXPECT_THROW(DefWindowProcA(h, WM_SYSCOMMAND, SC_CLOSE, 0), std::bad_alloc) << "nothing thrown, or it was changed";
    MSG tick{h, WM_TIMER, 9, reinterpret_cast<LPARAM>(&ThrowingTimer), 0, {}};
    ASSERT_TRUE(SetTimer(h, 9, 10, ThrowingTimer));
    EXPECT_THROW(DispatchMessageA(&tick), ProgramError);

    // The platform's own failures are still its own afterwards.
    WNDCLASSA after{};
    after.lpszClassName = "OomAfter";
    SetLastError(ERROR_SUCCESS);
    oom::FailAllocation(1);
    const ATOM atom = RegisterClassA(&after);
    EXPECT_TRUE(oom::Disarm());
    EXPECT_EQ(atom, 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));

    KillTimer(h, 9);
    SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DefWindowProcA));
    DestroyWindow(h);
    UnregisterClassA(wc.lpszClassName, nullptr);
}

} // namespace
