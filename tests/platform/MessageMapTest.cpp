#include "WindowTestSupport.h"

#include <string>

namespace {

std::vector<std::string>& Calls()
{
    static std::vector<std::string> calls;
    return calls;
}

class BaseWnd : public CFrameWnd {
public:
    ~BaseWnd() override { Calls().push_back("deleted"); }

protected:
    afx_msg void OnTimer(UINT_PTR id) { Calls().push_back("Base::OnTimer " + std::to_string(id)); }
    afx_msg void OnChar(UINT ch, UINT repeat, UINT flags)
    {
        Calls().push_back("Base::OnChar " + std::to_string(ch) + " " + std::to_string(repeat) + " " + std::to_string(flags));
    }
    afx_msg void OnSize(UINT type, int cx, int cy)
    {
        Calls().push_back("Base::OnSize " + std::to_string(type) + " " + std::to_string(cx) + "x" + std::to_string(cy));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseWnd, CFrameWnd)
    ON_WM_TIMER()
    ON_WM_CHAR()
    ON_WM_SIZE()
END_MESSAGE_MAP()

class DerivedWnd : public BaseWnd {
public:
    bool refuseCreate = false;
    std::vector<UINT> defaults; // messages that reached DefWindowProc

protected:
    afx_msg int OnCreate(LPCREATESTRUCT cs)
    {
        Calls().push_back(std::string("OnCreate ") + (m_hWnd && cs && cs->lpszName ? cs->lpszName : "?"));
        return refuseCreate ? -1 : 0;
    }
    afx_msg void OnDestroy() { Calls().push_back("OnDestroy"); }
    afx_msg void OnTimer(UINT_PTR id)
    {
        Calls().push_back("Derived::OnTimer " + std::to_string(id));
        BaseWnd::OnTimer(id);
    }
    afx_msg void OnMouseMove(UINT flags, CPoint p)
    {
        Calls().push_back("OnMouseMove " + std::to_string(flags) + " " + std::to_string(p.x) + "," + std::to_string(p.y));
    }
    afx_msg void OnPaletteChanged(CWnd* other)
    {
        Calls().push_back(std::string("OnPaletteChanged ") + (other == this ? "self" : other ? "other" : "none"));
        CFrameWnd::OnPaletteChanged(other);
    }
    afx_msg void OnActivate(UINT state, CWnd* other, BOOL minimized)
    {
        Calls().push_back("OnActivate " + std::to_string(state) + (other ? " other " : " none ") + std::to_string(minimized));
    }
    afx_msg void OnMove(int x, int y) { Calls().push_back("OnMove " + std::to_string(x) + "," + std::to_string(y)); }
    afx_msg LRESULT OnPrivate(WPARAM w, LPARAM l) { return static_cast<LRESULT>(w) * 100 + l; }
    afx_msg void OnFindSecond() { Calls().push_back("OnFindSecond"); }
    LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        defaults.push_back(msg);
        if (msg == WM_SYSCOMMAND && (wParam & 0xFFFF) == SC_MONITORPOWER)
            return 1;
        return BaseWnd::DefWindowProc(msg, wParam, lParam);
    }
    DECLARE_MESSAGE_MAP()

public:
    static const AFX_MSGMAP* Map() { return GetThisMessageMap(); }
};

BEGIN_MESSAGE_MAP(DerivedWnd, BaseWnd)
    ON_MESSAGE(WM_USER + 179, &DerivedWnd::OnPrivate)
    ON_WM_TIMER()
    ON_WM_MOUSEMOVE()
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_COMMAND(40017, &DerivedWnd::OnFindSecond)
    ON_WM_PALETTECHANGED()
    ON_WM_ACTIVATE()
    ON_WM_MOVE()
END_MESSAGE_MAP()

struct MessageMapTest : test::PlatformTest {
    void SetUp() override
    {
        PlatformTest::SetUp();
        Calls().clear();
    }
    DerivedWnd* Make(bool refuse = false)
    {
        auto* w = new DerivedWnd;
        w->refuseCreate = refuse;
        CRect r = test::GameWindowRect();
        created = w->Create(AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW), "Framed", WS_OVERLAPPEDWINDOW,
                            CRect(50, 60, 50 + r.Width(), 60 + r.Height()));
        if (created)
            windows.push_back(w->m_hWnd);
        return w;
    }
    BOOL created = FALSE;
};

TEST_F(MessageMapTest, DerivedRowsComeFirstAndBaseRowsServeTheRest)
{
    DerivedWnd* w = Make();
    ASSERT_TRUE(created);
    Calls().clear();
    w->SendMessage(WM_TIMER, 1);
    w->SendMessage(WM_CHAR, 'p', MAKELPARAM(1, 25));
    EXPECT_EQ(Calls(), (std::vector<std::string>{"Derived::OnTimer 1", "Base::OnTimer 1", "Base::OnChar 112 1 25"}));
}

TEST_F(MessageMapTest, EntriesAreFoundThroughTheChainOfMaps)
{
    const AFX_MSGMAP* map = DerivedWnd::Map();
    const AFX_MSGMAP_ENTRY* timer = CCmdTarget::FindMessageEntry(map, WM_TIMER, 0, 0);
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer, &map->lpEntries[1]);                                      // the derived row
    EXPECT_NE(CCmdTarget::FindMessageEntry(map, WM_CHAR, 0, 0), nullptr);      // BaseWnd's
    EXPECT_NE(CCmdTarget::FindMessageEntry(map, WM_CLOSE, 0, 0), nullptr);     // CFrameWnd's
    EXPECT_NE(CCmdTarget::FindMessageEntry(map, WM_NCDESTROY, 0, 0), nullptr); // CWnd's
    EXPECT_EQ(CCmdTarget::FindMessageEntry(map, WM_LBUTTONDOWN, 0, 0), nullptr);
    EXPECT_NE(CCmdTarget::FindMessageEntry(map, WM_COMMAND, 0, 40017), nullptr);
    EXPECT_EQ(CCmdTarget::FindMessageEntry(map, WM_COMMAND, 0, 40018), nullptr);
}

TEST_F(MessageMapTest, HandlersGetTheMessageArgumentsUnpacked)
{
    DerivedWnd* w = Make();
    Calls().clear();
    w->SendMessage(WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT, MAKELPARAM(-5, 300));
    w->SendMessage(WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(1088, 808));
    w->SendMessage(WM_MOVE, 0, MAKELPARAM(-20, 40));
    w->SendMessage(WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 1), 0);
    w->SendMessage(WM_PALETTECHANGED, reinterpret_cast<WPARAM>(w->m_hWnd));
    EXPECT_EQ(Calls(), (std::vector<std::string>{"OnMouseMove 5 -5,300", "Base::OnSize 2 1088x808", "OnMove -20,40",
                                                 "OnActivate 0 none 1", "OnPaletteChanged self"}));
    EXPECT_EQ(w->SendMessage(WM_USER + 179, 3, 4), 304);
}

TEST_F(MessageMapTest, DefaultPassesTheCurrentMessageToTheWindowsOwnDefWindowProc)
{
    DerivedWnd* w = Make();
    w->defaults.clear();
    w->SendMessage(WM_PALETTECHANGED, 0);
    EXPECT_EQ(w->defaults, std::vector<UINT>{WM_PALETTECHANGED});
    // Unlisted messages go there as well; the override answers the monitor power request.
    EXPECT_EQ(w->SendMessage(WM_SYSCOMMAND, SC_MONITORPOWER, 2), 1);
    EXPECT_TRUE(IsWindow(w->m_hWnd));
}

TEST_F(MessageMapTest, CreateRunsOnCreateWithTheWindowAttached)
{
    DerivedWnd* w = Make();
    ASSERT_TRUE(created);
    ASSERT_GE(Calls().size(), 2u);
    EXPECT_EQ(Calls()[0], "OnCreate Framed");
    EXPECT_EQ(CWnd::FromHandle(w->m_hWnd), w);
    EXPECT_EQ(CWnd::FromHandlePermanent(w->m_hWnd), w);
}

TEST_F(MessageMapTest, ARefusedCreationDestroysTheWindowAndDeletesTheFrame)
{
    Make(true);
    EXPECT_FALSE(created);
    EXPECT_EQ(Calls(), (std::vector<std::string>{"OnCreate Framed", "OnDestroy", "deleted"}));
}

TEST_F(MessageMapTest, ClosingDestroysTheWindowThenTheFrameDeletesItself)
{
    DerivedWnd* w = Make();
    HWND h = w->m_hWnd;
    Calls().clear();
    w->SendMessage(WM_CLOSE);
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(Calls(), (std::vector<std::string>{"OnDestroy", "deleted"}));
    EXPECT_EQ(CWnd::FromHandlePermanent(h), nullptr);
}

TEST_F(MessageMapTest, AWindowWithoutObjectGetsATemporaryOne)
{
    HWND h = MakeWindow();
    CWnd* temp = CWnd::FromHandle(h);
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(temp->m_hWnd, h);
    EXPECT_EQ(CWnd::FromHandle(h), temp);
    EXPECT_EQ(CWnd::FromHandlePermanent(h), nullptr);
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
}

} // namespace
