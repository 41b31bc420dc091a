// A modeless dialog from the program's dialog template: the window and its controls as the
// template describes them, the notifications the user's clicks, drags and keys give, and
// the data exchange.
#include "WindowTestSupport.h"

#include "testing/DialogProbe.h"
#include "testing/WindowProbe.h"
#include "win32/WindowPixels.h"

#include <commctrl.h>

#include <string>

namespace {

using platform::testing::ControlView;
using platform::testing::ViewControl;

constexpr int kDialogId = 106;
constexpr int kVertical = 1000, kVH = 1004, kHV = 1003, kImmediate = 1008;
constexpr int kRotate = 1009, kWave = 1010, kReset = 1011;

std::string Text(HWND hwnd)
{
    char text[64] = "";
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

std::string ClassOf(HWND hwnd)
{
    char name[64] = "";
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

// The template's dialog: both trackbars 1 to 20, and a record of what it is told.
class TemplateDialog : public CDialog {
public:
    TemplateDialog() : CDialog(kDialogId) {}

    std::vector<std::string> events;
    int style = -1, rotate = 0, wave = 0;

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        SendDlgItemMessage(kRotate, TBM_SETRANGE, TRUE, MAKELONG(1, 20));
        SendDlgItemMessage(kWave, TBM_SETRANGE, TRUE, MAKELONG(1, 20));
        events.push_back("init");
        return TRUE;
    }
    using CDialog::UpdateData;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Radio(pDX, kVertical, style);
        DDX_Slider(pDX, kRotate, rotate);
        DDX_Slider(pDX, kWave, wave);
    }
    void OnOK() override { events.push_back("OnOK"); }
    void OnCancel() override { events.push_back("OnCancel"); }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        // What a button reports, and whether it is checked by then.
        HWND from = reinterpret_cast<HWND>(lParam);
        std::string e = "command " + std::to_string(LOWORD(wParam)) + " code " + std::to_string(HIWORD(wParam));
        if (from && ::SendMessageA(from, BM_GETCHECK, 0, 0) == BST_CHECKED)
            e += " checked";
        events.push_back(e);
        return CDialog::OnCommand(wParam, lParam);
    }
    afx_msg void OnVScroll(UINT code, UINT position, CScrollBar* bar)
    {
        const LRESULT now = bar ? bar->SendMessage(TBM_GETPOS) : -1;
        events.push_back("scroll " + std::to_string(bar ? bar->GetDlgCtrlID() : 0) + " code " + std::to_string(code) +
                         " pos " + std::to_string(position) + " now " + std::to_string(now));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TemplateDialog, CDialog)
    ON_WM_VSCROLL()
END_MESSAGE_MAP()

class MainFrame : public CFrameWnd {
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(MainFrame, CFrameWnd)
END_MESSAGE_MAP()

class DialogApp : public CWinApp {};

struct DialogTest : test::PlatformTest {
    void SetUp() override
    {
        PlatformTest::SetUp();
        frame = new MainFrame;
        CRect r = test::GameWindowRect();
        ASSERT_TRUE(frame->CreateEx(0, AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW), "Memory Game", WS_OVERLAPPEDWINDOW,
                                    40, 30, r.Width(), r.Height(), nullptr, nullptr));
        windows.push_back(frame->m_hWnd);
        app.m_pMainWnd = frame;
        frame->ShowWindow(SW_SHOW);
        Pump();
    }
    void TearDown() override
    {
        if (dialog.m_hWnd)
            dialog.DestroyWindow();
        app.m_pMainWnd = nullptr;
        PlatformTest::TearDown();
    }

    // The application's message loop, as long as messages wait: the dialog's keys go
    // through its keyboard handling there.
    void Pump()
    {
        MSG m;
        for (int n = 0; n < 1000 && PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE) && m.message != WM_QUIT; ++n)
            app.PumpMessage();
    }

    HWND Open()
    {
        EXPECT_TRUE(dialog.Create(kDialogId));
        Pump();
        return dialog.m_hWnd;
    }

    HWND Item(int id) { return GetDlgItem(dialog.m_hWnd, id); }

    // The template's rectangle in dialog units as the dialog's pixels.
    RECT Pixels(int x, int y, int cx, int cy)
    {
        RECT r{x, y, x + cx, y + cy};
        MapDialogRect(dialog.m_hWnd, &r);
        RECT size{0, 0, cx, cy};
        MapDialogRect(dialog.m_hWnd, &size);
        return RECT{r.left, r.top, r.left + size.right, r.top + size.bottom};
    }

    std::vector<std::string> TakeEvents()
    {
        std::vector<std::string> e;
        e.swap(dialog.events);
        return e;
    }

    DialogApp app;
    MainFrame* frame = nullptr;
    TemplateDialog dialog;
};

TEST_F(DialogTest, TheWindowIsTheTemplatesCaptionStylesAndFontCentredAndOwnedByTheMainWindow)
{
    HWND h = Open();
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(Text(h), "Options");
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(h, GWL_STYLE)), 0x90C808C0u);
    EXPECT_TRUE(GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(IsWindowVisible(h));
    EXPECT_EQ(GetWindow(h, GW_OWNER), frame->m_hWnd);
    EXPECT_EQ(FindWindowA(nullptr, "Options"), h);
    EXPECT_EQ(GetActiveWindow(), h);

    // The font: the system's sans-serif at 8 points (11 pixels at 96 dots per inch).
    ControlView v = ViewControl(Item(kVertical));
    EXPECT_EQ(v.fontFamily, platform::testing::SystemSansSerifFamily());
    EXPECT_NE(v.fontFamily, "MS Sans Serif");
    EXPECT_EQ(v.fontPixelSize, 11);

    // 133 by 136 dialog units of client area, from the font's average character size.
    RECT units{0, 0, 4, 8};
    ASSERT_TRUE(MapDialogRect(h, &units));
    EXPECT_GE(units.right, 5);
    EXPECT_LE(units.right, 9);
    EXPECT_GE(units.bottom, 12);
    EXPECT_LE(units.bottom, 16);
    CRect client;
    GetClientRect(h, &client);
    EXPECT_EQ(client.Width(), (133 * units.right + 2) / 4);
    EXPECT_EQ(client.Height(), (136 * units.bottom + 4) / 8);

    // DS_CENTER: the middle of the screen.
    CRect window;
    GetWindowRect(h, &window);
    EXPECT_NEAR(window.CenterPoint().x, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR(window.CenterPoint().y, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
    EXPECT_EQ(TakeEvents(), std::vector<std::string>{"init"});
}

TEST_F(DialogTest, TheControlsAreMadeInTemplateOrderAtTheirPlaces)
{
    HWND h = Open();
    ASSERT_NE(h, nullptr);
    struct Expected {
        int id;
        const char* cls;
        const char* text;
        DWORD style;
        int x, y, cx, cy;
        const char* widget;
        bool shown;
    };
    const Expected expected[] = {
        {1000, "Button", "Vertical", 0x50021009, 14, 19, 46, 10, "checkable push button", true},
        {1001, "Button", "Horizontal", 0x50001009, 14, 30, 46, 10, "checkable push button", true},
        {1002, "Button", "Square", 0x50001009, 14, 41, 46, 10, "checkable push button", true},
        {1004, "Button", "VH", 0x50001009, 14, 52, 46, 10, "checkable push button", true},
        {1003, "Button", "HV", 0x50001009, 14, 63, 46, 10, "checkable push button", true},
        {1005, "Button", "Random", 0x50001009, 14, 74, 46, 10, "checkable push button", true},
        {1008, "Button", "Immediate", 0x50001009, 14, 86, 46, 10, "checkable push button", true},
        {1, "Button", "OK", 0x40010001, 15, 119, 46, 10, "push button", false},
        {2, "Button", "Cancel", 0x40010000, 7, 123, 30, 6, "push button", false},
        {-1, "Button", "Rotate style:", 0x50000007, 7, 7, 62, 102, "group box", true},
        {1009, "msctls_trackbar32", "Slider1", 0x5001001A, 80, 15, 13, 78, "trackbar", true},
        {-1, "Button", "Speed", 0x50000307, 73, 7, 48, 102, "group box", true},
        {1010, "msctls_trackbar32", "Slider1", 0x5001001A, 100, 15, 13, 78, "trackbar", true},
        {-1, "Static", "Rotate", 0x50020000, 76, 98, 21, 8, "text", true},
        {-1, "Static", "Wave", 0x50020000, 100, 98, 19, 8, "text", true},
        {1011, "Button", "Reset", 0x50010000, 74, 114, 46, 11, "push button", true},
    };
    HWND c = GetWindow(h, GW_CHILD);
    for (const Expected& e : expected) {
        ASSERT_NE(c, nullptr) << e.text;
        SCOPED_TRACE(e.text);
        EXPECT_EQ(GetDlgCtrlID(c), e.id);
        EXPECT_STRCASEEQ(ClassOf(c).c_str(), e.cls);
        EXPECT_EQ(Text(c), e.text);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(c, GWL_STYLE)), e.style);
        CRect r;
        GetWindowRect(c, &r);
        POINT origin{0, 0};
        ClientToScreen(h, &origin);
        r.OffsetRect(-origin.x, -origin.y);
        EXPECT_EQ(r, Pixels(e.x, e.y, e.cx, e.cy));
        ControlView v = ViewControl(c);
        EXPECT_EQ(v.widget, e.widget);
        EXPECT_EQ(v.text, e.text == std::string("Slider1") ? "" : e.text);
        EXPECT_EQ(v.shown, e.shown);
        EXPECT_EQ(CRect(v.rect), CRect(r));
        c = GetWindow(c, GW_HWNDNEXT);
    }
    EXPECT_EQ(c, nullptr);

    EXPECT_TRUE(ViewControl(Item(IDOK)).isDefault);
    EXPECT_FALSE(ViewControl(Item(IDCANCEL)).isDefault);
    EXPECT_FALSE(ViewControl(GetWindow(Item(1009), GW_HWNDPREV)).titleCentred); // "Rotate style:"
    EXPECT_TRUE(ViewControl(GetWindow(Item(1009), GW_HWNDNEXT)).titleCentred);  // "Speed"
    ControlView rotate = ViewControl(Item(kRotate));
    EXPECT_TRUE(rotate.vertical);
    EXPECT_TRUE(rotate.lowestAtTop);
    EXPECT_FALSE(rotate.ticks);
}

TEST_F(DialogTest, TheBackgroundIsTheFaceColour)
{
    HWND h = Open();
    ASSERT_NE(h, nullptr);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const uint32_t expected = ((face & 0xFF) << 16) | (face & 0xFF00) | ((face >> 16) & 0xFF);
    platform::PixelView view;
    ASSERT_TRUE(platform::LockWindowPixels(h, &view));
    const uint32_t corner = view.pixels[0] & 0xFFFFFF;
    const uint32_t last = view.pixels[static_cast<size_t>(view.height - 1) * view.stride + view.width - 1] & 0xFFFFFF;
    platform::UnlockWindowPixels(h, RECT{});
    EXPECT_EQ(corner, expected);
    EXPECT_EQ(last, expected);
    EXPECT_NE(expected, 0u);
}

TEST_F(DialogTest, TheFocusStartsAtTheFirstTabStopAndTabGoesThroughTheShownTabStopsInTemplateOrder)
{
    HWND h = Open();
    ASSERT_NE(h, nullptr);
    // The radio buttons are no tab stops and OK and Cancel are hidden.
    EXPECT_EQ(GetFocus(), Item(kRotate));
    EXPECT_EQ(platform::testing::FocusedControl(h), Item(kRotate));
    const int forward[] = {kWave, kReset, kRotate, kWave};
    for (int id : forward) {
        platform::testing::PressKey(h, VK_TAB);
        Pump();
        EXPECT_EQ(platform::testing::FocusedControl(h), Item(id)) << id;
    }
    platform::testing::PressKey(h, VK_TAB, true);
    Pump();
    EXPECT_EQ(platform::testing::FocusedControl(h), Item(kRotate));
    EXPECT_TRUE(TakeEvents() == std::vector<std::string>{"init"});
}

TEST_F(DialogTest, AClickedRadioButtonSelectsItselfAndClearsItsGroupBeforeTheParentHears)
{
    HWND h = Open();
    ASSERT_NE(h, nullptr);
    TakeEvents();
    platform::testing::ClickControl(Item(kVH));
    Pump();
    EXPECT_EQ(TakeEvents(), std::vector<std::string>{"command 1004 code 0 checked"});
    EXPECT_TRUE(ViewControl(Item(kVH)).checked);
    EXPECT_EQ(GetFocus(), Item(kVH));

    platform::testing::ClickControl(Item(kHV));
    Pump();
    EXPECT_EQ(TakeEvents(), std::vector<std::string>{"command 1003 code 0 checked"});
    EXPECT_EQ(SendMessageA(Item(kVH), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_FALSE(ViewControl(Item(kVH)).checked);
    EXPECT_TRUE(ViewControl(Item(kHV)).checked);
    // The selected radio button is its group's tab stop.
    EXPECT_TRUE(GetWindowLongA(Item(kHV), GWL_STYLE) & WS_TABSTOP);
    EXPECT_FALSE(GetWindowLongA(Item(kVH), GWL_STYLE) & WS_TABSTOP);

    // Clicking the selected one again reports again and keeps it selected.
    platform::testing::ClickControl(Item(kHV));
    Pump();
    EXPECT_EQ(TakeEvents(), std::vector<std::string>{"command 1003 code 0 checked"});
    EXPECT_TRUE(ViewControl(Item(kHV)).checked);
}

TEST_F(DialogTest, ArrowKeysMoveThroughTheRadioGroupAndSelect)
{
    HWND h = Open();
    ASSERT_NE(h, nullptr);
    platform::testing::ClickControl(Item(kHV));
    Pump();
    TakeEvents();
    platform::testing::PressKey(h, VK_UP);
    Pump();
    EXPECT_EQ(TakeEvents(), std::vector<std::string>{"command 1004 code 0 checked"});
    EXPECT_EQ(platform::testing::FocusedControl(h), Item(kVH));
    // Up from the group's first button goes round to its last control that takes the focus.
    SendMessageA(Item(kVertical), BM_CLICK, 0, 0);
    TakeEvents();
    EXPECT_EQ(GetNextDlgGroupItem(h, Item(kVertical), TRUE), Item(kWave));
    EXPECT_EQ(GetNextDlgGroupItem(h, Item(kImmediate), FALSE), Item(kRotate));
}

TEST_F(DialogTest, DraggingATrackbarReportsEveryStepThenThePositionAndTheEnd)
{
    HWND h = Open();
    ASSERT_NE(h, nullptr);
    HWND wave = Item(kWave);
    SendMessageA(wave, TBM_SETPOS, TRUE, 10);
    EXPECT_EQ(ViewControl(wave).position, 10);
    TakeEvents();

    platform::testing::DragThumb(wave, -400, 4); // far past the top
    Pump();
    std::vector<std::string> events = TakeEvents();
    ASSERT_GE(events.size(), 3u);
    // Each step is a thumb track with the position, which the control already holds.
    for (size_t i = 0; i + 2 < events.size(); ++i)
        EXPECT_EQ(events[i].rfind("scroll 1010 code 5 pos ", 0), 0u) << events[i];
    EXPECT_EQ(events[events.size() - 3], "scroll 1010 code 5 pos 1 now 1");
    EXPECT_EQ(events[events.size() - 2], "scroll 1010 code 4 pos 1 now 1");
    EXPECT_EQ(events.back(), "scroll 1010 code 8 pos 0 now 1");
    EXPECT_EQ(SendMessageA(wave, TBM_GETPOS, 0, 0), 1);

    platform::testing::DragThumb(wave, 400, 3);
    Pump();
    EXPECT_EQ(SendMessageA(wave, TBM_GETPOS, 0, 0), 20);
    EXPECT_EQ(ViewControl(wave).position, 20);
    EXPECT_EQ(TakeEvents().back(), "scroll 1010 code 8 pos 0 now 20");

    // A click on the channel above the thumb is a page up (a fifth of the range).
    platform::testing::ClickChannel(wave, -60);
    Pump();
    EXPECT_EQ(TakeEvents(), (std::vector<std::string>{"scroll 1010 code 2 pos 0 now 17", "scroll 1010 code 8 pos 0 now 17"}));
}

TEST_F(DialogTest, TrackbarKeysMoveByLineAndPageToTheEndsAndEndTheTrackOnRelease)
{
    HWND h = Open();
    ASSERT_NE(h, nullptr);
    HWND rotate = Item(kRotate);
    SendMessageA(rotate, TBM_SETPOS, TRUE, 8);
    ASSERT_EQ(platform::testing::FocusedControl(h), rotate);
    TakeEvents();
    struct Step {
        int key;
        const char* down;
        int position;
    };
    const Step steps[] = {
        {VK_UP, "scroll 1009 code 0 pos 0 now 7", 7},      {VK_DOWN, "scroll 1009 code 1 pos 0 now 8", 8},
        {VK_LEFT, "scroll 1009 code 0 pos 0 now 7", 7},    {VK_RIGHT, "scroll 1009 code 1 pos 0 now 8", 8},
        {VK_PRIOR, "scroll 1009 code 2 pos 0 now 5", 5},   {VK_NEXT, "scroll 1009 code 3 pos 0 now 8", 8},
        {VK_HOME, "scroll 1009 code 6 pos 0 now 1", 1},    {VK_END, "scroll 1009 code 7 pos 0 now 20", 20},
    };
    for (const Step& s : steps) {
        platform::testing::PressKey(h, s.key);
        Pump();
        EXPECT_EQ(TakeEvents(), (std::vector<std::string>{s.down, "scroll 1009 code 8 pos 0 now " + std::to_string(s.position)}))
            << s.key;
        EXPECT_EQ(ViewControl(rotate).position, s.position);
    }
    // At the end of the range the key moves nothing and only the release is told.
    platform::testing::PressKey(h, VK_DOWN);
    Pump();
    EXPECT_EQ(TakeEvents(), std::vector<std::string>{"scroll 1009 code 8 pos 0 now 20"});
}

TEST_F(DialogTest, SettingTheRangeClampsThePosition)
{
    HWND h = Open();
    ASSERT_NE(h, nullptr);
    HWND rotate = Item(kRotate);
    EXPECT_EQ(SendMessageA(rotate, TBM_GETRANGEMIN, 0, 0), 1);
    EXPECT_EQ(SendMessageA(rotate, TBM_GETRANGEMAX, 0, 0), 20);
    SendMessageA(rotate, TBM_SETPOS, TRUE, 50);
    EXPECT_EQ(SendMessageA(rotate, TBM_GETPOS, 0, 0), 20);
    SendMessageA(rotate, TBM_SETPOS, TRUE, -3);
    EXPECT_EQ(SendMessageA(rotate, TBM_GETPOS, 0, 0), 1);
    SendMessageA(rotate, TBM_SETPOS, TRUE, 12);
    SendMessageA(rotate, TBM_SETRANGE, TRUE, MAKELONG(2, 6));
    EXPECT_EQ(SendMessageA(rotate, TBM_GETPOS, 0, 0), 6);
    ControlView v = ViewControl(rotate);
    EXPECT_EQ(v.minimum, 2);
    EXPECT_EQ(v.maximum, 6);
    EXPECT_EQ(v.position, 6);
}

TEST_F(DialogTest, EnterIsTheHiddenDefaultButtonsCommandEscapeAndTheCloseButtonAreCancel)
{
    HWND h = Open();
    ASSERT_NE(h, nullptr);
    TakeEvents();
    platform::testing::PressKey(h, VK_RETURN);
    Pump();
    EXPECT_EQ(TakeEvents(), (std::vector<std::string>{"command 1 code 0", "OnOK"}));
    platform::testing::PressKey(h, VK_ESCAPE);
    Pump();
    EXPECT_EQ(TakeEvents(), (std::vector<std::string>{"command 2 code 0", "OnCancel"}));
    platform::testing::PressCloseButton(h);
    Pump();
    EXPECT_EQ(TakeEvents(), (std::vector<std::string>{"command 2 code 0", "OnCancel"}));
    EXPECT_TRUE(IsWindow(h));

    // On a focused push button Enter is that button's command.
    SetFocus(Item(kReset));
    platform::testing::PressKey(h, VK_RETURN);
    Pump();
    EXPECT_EQ(TakeEvents(), std::vector<std::string>{"command 1011 code 0"});
}

TEST_F(DialogTest, TheClassLibrarysOkAndCancelEndTheDialogByHidingIt)
{
    CDialog plain(kDialogId);
    ASSERT_TRUE(plain.Create(kDialogId));
    Pump();
    HWND h = plain.m_hWnd;
    ASSERT_TRUE(IsWindowVisible(h));
    platform::testing::PressKey(h, VK_ESCAPE);
    Pump();
    EXPECT_FALSE(IsWindowVisible(h));
    EXPECT_TRUE(IsWindow(h));
    plain.DestroyWindow();
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(plain.m_hWnd, nullptr);
}

TEST_F(DialogTest, DataExchangeGoesBothWaysWithTheRadioIndexInTemplateOrder)
{
    HWND h = Open();
    ASSERT_NE(h, nullptr);
    // Set at WM_INITDIALOG from the fields: none selected, the trackbars at their lowest.
    for (int id : {1000, 1001, 1002, 1003, 1004, 1005, 1008})
        EXPECT_EQ(SendMessageA(Item(id), BM_GETCHECK, 0, 0), BST_UNCHECKED) << id;

    dialog.style = 3;
    dialog.rotate = 8;
    dialog.wave = 17;
    dialog.UpdateData(FALSE);
    EXPECT_EQ(SendMessageA(Item(kVH), BM_GETCHECK, 0, 0), BST_CHECKED); // "VH" is the fourth button
    EXPECT_TRUE(ViewControl(Item(kVH)).checked);
    EXPECT_EQ(ViewControl(Item(kRotate)).position, 8);
    EXPECT_EQ(ViewControl(Item(kWave)).position, 17);

    platform::testing::ClickControl(Item(kHV));
    SendMessageA(Item(kWave), TBM_SETPOS, TRUE, 2);
    Pump();
    dialog.UpdateData(TRUE);
    EXPECT_EQ(dialog.style, 4);
    EXPECT_EQ(dialog.rotate, 8);
    EXPECT_EQ(dialog.wave, 2);

    dialog.style = -1;
    dialog.UpdateData(FALSE);
    dialog.style = 7;
    dialog.UpdateData(TRUE);
    EXPECT_EQ(dialog.style, -1);
}

TEST_F(DialogTest, FindWindowAndSetActiveWindowReachTheDialogAndItsOwnerGetsPostedMessages)
{
    HWND h = Open();
    ASSERT_NE(h, nullptr);
    SetActiveWindow(frame->m_hWnd);
    EXPECT_EQ(GetActiveWindow(), frame->m_hWnd);
    HWND found = FindWindowA(nullptr, "Options");
    ASSERT_EQ(found, h);
    SetActiveWindow(found);
    EXPECT_EQ(GetActiveWindow(), h);
    // Back in the dialog, the keyboard is where it was.
    EXPECT_EQ(platform::testing::FocusedControl(h), Item(kRotate));
}

TEST_F(DialogTest, ADialogWithoutAParentGoesWithItsOwner)
{
    HWND h = Open();
    ASSERT_NE(h, nullptr);
    frame->DestroyWindow();
    platform::testing::TakeQuitMessage();
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

} // namespace
