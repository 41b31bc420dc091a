// Helpers of the platform tests: a window class whose procedure logs its messages, the
// game's menu built from a hand-made template, and a fixture that cleans up.
#pragma once
#include "resources/ResourceTemplates.h"
#include "testing/ManualClock.h"
#include "testing/MessageBoxRecorder.h"
#include "testing/MessageLoop.h"
#include "win32/Menus.h"

#include <afxwin.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <vector>

namespace test {

struct Logged {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

// Every message of windows of class "LoggingWindow" lands here; a reaction set for a
// message answers it instead of the default window procedure.
inline std::vector<Logged>& Log()
{
    static std::vector<Logged> log;
    return log;
}

inline std::map<UINT, std::function<LRESULT(HWND, WPARAM, LPARAM)>>& Reactions()
{
    static std::map<UINT, std::function<LRESULT(HWND, WPARAM, LPARAM)>> reactions;
    return reactions;
}

inline LRESULT CALLBACK LoggingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Log().push_back({hwnd, msg, wParam, lParam});
    auto it = Reactions().find(msg);
    if (it != Reactions().end())
        return it->second(hwnd, wParam, lParam);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

inline LPCSTR LoggingClass()
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &LoggingProc;
        wc.lpszClassName = "LoggingWindow";
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        registered = RegisterClassA(&wc) != 0;
    }
    return "LoggingWindow";
}

// The messages of one kind in the log, in order.
inline std::vector<Logged> LoggedOf(UINT msg)
{
    std::vector<Logged> out;
    for (const auto& l : Log())
        if (l.msg == msg)
            out.push_back(l);
    return out;
}

inline std::vector<UINT> LoggedMessages(std::initializer_list<UINT> interesting)
{
    std::vector<UINT> out;
    for (const auto& l : Log())
        for (UINT m : interesting)
            if (l.msg == m)
                out.push_back(m);
    return out;
}

// The game's menu: "&Game" (with a separator), "S&tart" on the bar itself, "&Help".
inline platform::res::MenuTemplate GameMenuTemplate()
{
    using platform::res::MenuItem;
    auto command = [](const char16_t* text, uint16_t id) {
        MenuItem i;
        i.text = text;
        i.id = id;
        return i;
    };
    MenuItem separator;
    separator.separator = true;
    separator.flags = MF_SEPARATOR;
    MenuItem game;
    game.text = u"&Game";
    game.popup = true;
    game.flags = MF_POPUP;
    game.children = {command(u"&Sound", 40021), command(u"&Options...", 40023), command(u"&Default Size", 40022),
                     separator, command(u"E&xit", ID_APP_EXIT), command(u"Play midi test", 40024)};
    MenuItem help;
    help.text = u"&Help";
    help.popup = true;
    help.flags = MF_POPUP | MF_END;
    help.children = {command(u"&About", 40020)};
    platform::res::MenuTemplate t;
    t.items = {game, command(u"S&tart", 40015), help};
    return t;
}

inline HMENU GameMenu() { return platform::win32::BuildMenu(GameMenuTemplate()); }

// The window rectangle for a 544 by 404 client area with a menu, at the default place.
inline CRect GameWindowRect()
{
    CRect rect(0, 0, 544, 404);
    AdjustWindowRect(rect, WS_OVERLAPPEDWINDOW, TRUE);
    return rect;
}

struct PlatformTest : ::testing::Test {
    void SetUp() override
    {
        Log().clear();
        Reactions().clear();
        platform::testing::ClearMessageQueue();
        platform::testing::RecordMessageBoxes(IDOK);
    }
    void TearDown() override
    {
        for (HWND h : windows)
            if (IsWindow(h))
                DestroyWindow(h);
        platform::testing::SetWaitHook(nullptr);
        platform::testing::StopRecordingMessageBoxes();
        platform::testing::ClearMessageQueue();
        platform::testing::UseManualClock(false);
        Reactions().clear();
    }

    // A top-level logging window (not shown), destroyed after the test.
    HWND MakeWindow(const char* title = "Test", HMENU menu = nullptr, DWORD style = WS_OVERLAPPEDWINDOW)
    {
        CRect r = GameWindowRect();
        HWND h = CreateWindowExA(0, LoggingClass(), title, style, 100, 80, r.Width(), r.Height(), nullptr, menu,
                                 nullptr, nullptr);
        windows.push_back(h);
        return h;
    }

    std::vector<HWND> windows;
};

} // namespace test
