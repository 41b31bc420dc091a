#include "WindowTestSupport.h"

namespace {

using platform::testing::RecordedMessageBoxes;
using MessageBoxTest = test::PlatformTest;

TEST_F(MessageBoxTest, BoxesAreRecordedWithTextCaptionTypeAndOwner)
{
    HWND owner = MakeWindow();
    EXPECT_EQ(MessageBoxA(owner, "You got it, dude!", "Valdmark Programs, Memory Game", MB_OK), IDOK);
    ASSERT_EQ(RecordedMessageBoxes().size(), 1u);
    const auto& box = RecordedMessageBoxes()[0];
    EXPECT_EQ(box.text, "You got it, dude!");
    EXPECT_EQ(box.caption, "Valdmark Programs, Memory Game");
    EXPECT_EQ(box.type, static_cast<UINT>(MB_OK));
    EXPECT_EQ(box.owner, owner);
}

TEST_F(MessageBoxTest, TheClassLibrarysBoxesAreCaptionedWithTheExecutablesName)
{
    AfxMessageBox("Cann't create backbuffer");
    HWND h = MakeWindow();
    CWnd::FromHandle(h)->MessageBox("Cann't KillTimer");
    CWnd::FromHandle(h)->MessageBox("record", "caption", MB_OKCANCEL);
    ASSERT_EQ(RecordedMessageBoxes().size(), 3u);
    EXPECT_STREQ(AfxGetAppName(), "test_platform");
    EXPECT_EQ(RecordedMessageBoxes()[0].text, "Cann't create backbuffer");
    EXPECT_EQ(RecordedMessageBoxes()[0].caption, "test_platform");
    // AfxMessageBox gives an OK box the class library's exclamation icon.
    EXPECT_EQ(RecordedMessageBoxes()[0].type, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(RecordedMessageBoxes()[1].caption, "test_platform");
    EXPECT_EQ(RecordedMessageBoxes()[1].type, static_cast<UINT>(MB_OK));
    EXPECT_EQ(RecordedMessageBoxes()[1].owner, h);
    EXPECT_EQ(RecordedMessageBoxes()[2].caption, "caption");
}

TEST_F(MessageBoxTest, TheApplicationsNameAndMainWindowAreUsedWhenThereIsOne)
{
    struct App : CWinApp {
        App() : CWinApp("Named") {}
    } app;
    HWND h = MakeWindow();
    CWnd* main = CWnd::FromHandle(h);
    app.m_pMainWnd = main;
    AfxMessageBox("text", MB_YESNO);
    app.m_pMainWnd = nullptr;
    ASSERT_EQ(RecordedMessageBoxes().size(), 1u);
    EXPECT_EQ(RecordedMessageBoxes()[0].caption, "Named");
    EXPECT_EQ(RecordedMessageBoxes()[0].owner, h);
    EXPECT_EQ(RecordedMessageBoxes()[0].type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
}

TEST_F(MessageBoxTest, TheRecorderAnswersWithTheChosenButton)
{
    platform::testing::RecordMessageBoxes(IDNO);
    EXPECT_EQ(MessageBoxA(nullptr, "Play again?", nullptr, MB_YESNO), IDNO);
    EXPECT_EQ(RecordedMessageBoxes()[0].caption, "Error"); // the platform's caption when none is given
}

TEST_F(MessageBoxTest, AnUnknownOwnerFails)
{
    EXPECT_EQ(MessageBoxA(reinterpret_cast<HWND>(0x4321), "x", "y", MB_OK), 0);
    EXPECT_TRUE(RecordedMessageBoxes().empty());
}

} // namespace
