// The display rebuild: what sets it off (P and p, activation, a restored size, another
// window's palette), what it makes anew and what it leaves alone.
#include "GameTestSupport.h"

#include "support/DirectDrawTestSupport.h"
#include "support/PlainWindow.h"
#include "testing/DisplayOverride.h"
#include "testing/MessageBoxRecorder.h"
#include "testing/MessageLoop.h"
#include "testing/WindowProbe.h"

namespace {

using platform::testing::LiveDirectDrawObjects;
using platform::testing::OverrideDisplayMode;
using testsupport::PixelAt;

const uint32_t kMarker = 0x123456;

struct DisplayRebuildTest : gametest::GameWindowTest {
    void SetUp() override
    {
        GameWindowTest::SetUp();
        OverrideDisplayMode(1024, 768, 32);
        pWin = Open();
        ASSERT_NE(pWin, nullptr);
        afterOpen = LiveDirectDrawObjects();
        recorded = CRect(pWin->m_rcDefaultWindow);
        Mark();
    }

    // Paints over the loaded background sheet: only a reload takes the mark away.
    void Mark() { testsupport::Paint(pWin->m_pBackgroundSurface, [](int, int) { return kMarker; }); }
    bool Rebuilt() const { return PixelAt(pWin->m_pBackgroundSurface, 0, 0) != kMarker; }

    void ActivateApp(BOOL bActive) { pWin->SendMessage(WM_ACTIVATEAPP, bActive, 0); }
    // Deactivates, lets the screen change, and activates again; true when that rebuilt.
    bool ReactivateOn(int width, int height, int bits)
    {
        Mark();
        ActivateApp(FALSE);
        OverrideDisplayMode(width, height, bits);
        ActivateApp(TRUE);
        return Rebuilt();
    }

    void Resize(int dx, int dy)
    {
        pWin->SetWindowPos(NULL, 0, 0, recorded.Width() + dx, recorded.Height() + dy, SWP_NOMOVE | SWP_NOZORDER);
    }
    CSize WindowSize() const
    {
        CRect r;
        pWin->GetWindowRect(&r);
        return r.Size();
    }
    CSize Enlarged(int dx, int dy) const { return CSize(recorded.Width() + dx, recorded.Height() + dy); }

    MemWin* pWin = nullptr;
    platform::testing::DirectDrawCounts afterOpen;
    CRect recorded;
};

TEST_F(DisplayRebuildTest, TypingPOrPRebuildsAndSnapsTheWindowBackOtherCharactersDoNothing)
{
    AGame* pGame = pWin->m_pGame;
    DSound* pSound = pWin->m_pDSound;
    CDlgOptions* pDialog = pWin->m_pDlgOptions;
    Resize(120, 60);
    ASSERT_EQ(WindowSize(), Enlarged(120, 60));

    platform::testing::SendText(pWin->m_hWnd, "xq O1 ");
    platform::testing::DispatchPendingMessages();
    EXPECT_FALSE(Rebuilt());
    EXPECT_EQ(WindowSize(), Enlarged(120, 60));

    platform::testing::SendText(pWin->m_hWnd, "P");
    platform::testing::DispatchPendingMessages();
    EXPECT_TRUE(Rebuilt());
    EXPECT_EQ(WindowSize(), recorded.Size());
    CRect client;
    pWin->GetClientRect(&client);
    EXPECT_EQ(client.Size(), CSize(544, 404));
    DDSURFACEDESC back = testsupport::DescOf(pWin->m_pBackBuffer);
    EXPECT_EQ(back.dwWidth, 544u);
    EXPECT_EQ(back.dwHeight, 404u);
    // One new set of display objects; the palette that the rebuild made went with the old set.
    EXPECT_TRUE(gametest::SameCounts(LiveDirectDrawObjects(), afterOpen));
    EXPECT_EQ(pWin->m_pPalette, nullptr);
    // The game, the sound bank and the dialog stay.
    EXPECT_EQ(pWin->m_pGame, pGame);
    EXPECT_EQ(pWin->m_pDSound, pSound);
    EXPECT_EQ(pWin->m_pDlgOptions, pDialog);
    EXPECT_TRUE(platform::testing::RecordedMessageBoxes().empty());

    // The next frame comes from the new objects.
    gametest::FillWindow(pWin->m_hWnd, kMarker);
    theApp.OnIdle(0);
    for (const auto& p : gametest::kBackgroundPoints)
        EXPECT_EQ(gametest::WindowPixel(pWin->m_hWnd, p[0], p[1]), gametest::BackgroundPixel(p[0], p[1]).value());

    Mark();
    platform::testing::SendText(pWin->m_hWnd, "p");
    platform::testing::DispatchPendingMessages();
    EXPECT_TRUE(Rebuilt());
    EXPECT_TRUE(gametest::SameCounts(LiveDirectDrawObjects(), afterOpen));
}

TEST_F(DisplayRebuildTest, OnADeeperScreenActivationRebuildsOnlyWhenTheScreenChangedSinceDeactivation)
{
    EXPECT_FALSE(ReactivateOn(1024, 768, 32));

    EXPECT_TRUE(ReactivateOn(1280, 768, 32));
    // Activation compares, only deactivation records.
    EXPECT_EQ(pWin->m_nHorzRes, 1024);
    EXPECT_FALSE(ReactivateOn(1280, 768, 32));
    EXPECT_EQ(pWin->m_nHorzRes, 1280);

    EXPECT_TRUE(ReactivateOn(1280, 1024, 32));
    EXPECT_TRUE(ReactivateOn(1280, 1024, 24));
    EXPECT_EQ(pWin->m_nBitsPixel, 32);
    EXPECT_FALSE(ReactivateOn(1280, 1024, 24));
    EXPECT_EQ(pWin->m_nVertRes, 1024);
    EXPECT_EQ(pWin->m_nBitsPixel, 24);

    // Without a deactivation the values of creation are compared.
    Mark();
    OverrideDisplayMode(1024, 768, 32);
    ActivateApp(TRUE);
    EXPECT_TRUE(Rebuilt());
    EXPECT_TRUE(gametest::SameCounts(LiveDirectDrawObjects(), afterOpen));
}

TEST_F(DisplayRebuildTest, OnAPaletteScreenEveryActivationAndEveryRestoredResizeRebuilds)
{
    EXPECT_TRUE(ReactivateOn(1024, 768, 8));
    EXPECT_TRUE(ReactivateOn(1024, 768, 8));
    EXPECT_EQ(pWin->m_nBitsPixel, 8);

    Mark();
    Resize(100, 50);
    platform::testing::DispatchPendingMessages();
    EXPECT_TRUE(Rebuilt());
    EXPECT_EQ(WindowSize(), recorded.Size());
}

TEST_F(DisplayRebuildTest, OnADeeperScreenAResizeRebuildsOnlyWhenTheScreenChanged)
{
    Resize(100, 50);
    platform::testing::DispatchPendingMessages();
    EXPECT_FALSE(Rebuilt());
    EXPECT_EQ(WindowSize(), Enlarged(100, 50));

    OverrideDisplayMode(1024, 600, 32);
    Resize(40, 20);
    platform::testing::DispatchPendingMessages();
    EXPECT_TRUE(Rebuilt());
    EXPECT_EQ(WindowSize(), recorded.Size());
}

TEST_F(DisplayRebuildTest, AMinimisedWindowIgnoresActivationAndPalettesButRebuildsWhenRestored)
{
    OverrideDisplayMode(1024, 768, 8);
    pWin->ShowWindow(SW_MINIMIZE);
    platform::testing::DispatchPendingMessages();
    ASSERT_TRUE(pWin->IsIconic());
    Mark();

    ActivateApp(TRUE);
    HWND other = testsupport::MakePlainWindow();
    pWin->SendMessage(WM_PALETTECHANGED, reinterpret_cast<WPARAM>(other), 0);
    EXPECT_FALSE(Rebuilt());

    // A restored size is tested without looking at the minimised state.
    pWin->ShowWindow(SW_RESTORE);
    platform::testing::DispatchPendingMessages();
    EXPECT_FALSE(pWin->IsIconic());
    EXPECT_TRUE(Rebuilt());
    DestroyWindow(other);
}

TEST_F(DisplayRebuildTest, AnotherWindowsScreenPaletteRebuildsAndRepaintsTheWindowItsOwnDoesNot)
{
    using testsupport::ComPtr;
    OverrideDisplayMode(1024, 768, 8);
    HWND other = testsupport::MakePlainWindow();
    pWin->ValidateRect(NULL);
    {
        ComPtr<IDirectDraw2> dd(testsupport::CreateDirectDraw2());
        ComPtr<IDirectDrawSurface> primary(testsupport::CreateSurface(dd, testsupport::PrimaryDesc()));
        ComPtr<IDirectDrawClipper> clipper;
        ASSERT_EQ(dd->CreateClipper(0, &clipper, nullptr), DD_OK);
        ASSERT_EQ(clipper->SetHWnd(0, other), DD_OK);
        ASSERT_EQ(primary->SetClipper(clipper), DD_OK);
        PALETTEENTRY entries[256] = {};
        ComPtr<IDirectDrawPalette> palette;
        ASSERT_EQ(dd->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries, &palette, nullptr), DD_OK);

        ASSERT_EQ(primary->SetPalette(palette), DD_OK);
    }
    EXPECT_TRUE(Rebuilt());
    CRect update;
    EXPECT_TRUE(::GetUpdateRect(pWin->m_hWnd, &update, FALSE));
    EXPECT_EQ(update, CRect(0, 0, 544, 404));

    // The window's own palette, on its new palette screen, is nothing to react to.
    Mark();
    pWin->LoadPalette();
    ASSERT_NE(pWin->m_pPalette, nullptr);
    pWin->SendMessage(WM_PALETTECHANGED, reinterpret_cast<WPARAM>(pWin->m_hWnd), 0);
    EXPECT_FALSE(Rebuilt());
    DestroyWindow(other);
}

} // namespace
