// The game's main window: what creation makes, what a frame draws, painting, lost
// surfaces, the palette loader and what destruction gives back.
#include "GameTestSupport.h"

#include "sound/DSound.h"
#include "support/DirectDrawTestSupport.h"
#include "support/ResBytes.h"
#include "testing/DirectSoundSeams.h"
#include "testing/DisplayOverride.h"
#include "testing/GdiSeams.h"
#include "testing/HiddenResources.h"
#include "testing/MessageBoxRecorder.h"
#include "testing/MessageLoop.h"
#include "testing/WindowProbe.h"

#include <cstring>

namespace {

using gametest::BackgroundPixel;
using gametest::BitmapPixel;
using gametest::kBackgroundPoints;
using gametest::WindowPixel;
using platform::testing::LiveDirectDrawObjects;
using platform::testing::RecordedMessageBoxes;
using testsupport::DescOf;
using testsupport::PixelAt;

const uint32_t kMarker = 0x123456;

void ExpectSize(IDirectDrawSurface* surface, DWORD width, DWORD height, const char* what)
{
    ASSERT_NE(surface, nullptr) << what;
    DDSURFACEDESC desc = DescOf(surface);
    EXPECT_EQ(desc.dwWidth, width) << what;
    EXPECT_EQ(desc.dwHeight, height) << what;
}

void ExpectBackgroundIn(IDirectDrawSurface* surface)
{
    for (const auto& p : kBackgroundPoints)
        EXPECT_EQ(PixelAt(surface, p[0], p[1]), BackgroundPixel(p[0], p[1]).value()) << p[0] << ", " << p[1];
}

void ExpectBackgroundIn(HWND hwnd)
{
    for (const auto& p : kBackgroundPoints)
        EXPECT_EQ(WindowPixel(hwnd, p[0], p[1]), BackgroundPixel(p[0], p[1]).value()) << p[0] << ", " << p[1];
}

using MainWindowTest = gametest::GameWindowTest;

TEST_F(MainWindowTest, CreationMakesTheTitledShownWindowWithItsClientAreaAndMenu)
{
    MemWin* pWin = Open();
    ASSERT_NE(pWin, nullptr);
    HWND hwnd = pWin->m_hWnd;

    char title[64] = "";
    GetWindowTextA(hwnd, title, sizeof(title));
    EXPECT_STREQ(title, "Valdmark Software, KV Memory: "); // the game's caption replaced "Memory Game"
    EXPECT_TRUE(IsWindowVisible(hwnd));
    CRect client;
    pWin->GetClientRect(&client);
    EXPECT_EQ(client.Width(), 544);
    EXPECT_EQ(client.Height(), 404);
    SIZE shown = platform::testing::ClientWidgetSize(hwnd);
    EXPECT_EQ(shown.cx, 544);
    EXPECT_EQ(shown.cy, 404);

    EXPECT_EQ(platform::testing::MenuBarTexts(hwnd), (std::vector<std::string>{"&Game", "S&tart", "&Help"}));
    platform::testing::MenuItemView sound = platform::testing::MenuBarItem(hwnd, ID_GAME_SOUND);
    EXPECT_EQ(sound.text, "&Sound");
    EXPECT_FALSE(sound.checked);
    EXPECT_EQ(platform::testing::MenuBarItem(hwnd, ID_APP_EXIT).text, "E&xit");
    EXPECT_EQ(platform::testing::MenuBarItem(hwnd, ID_HELP_ABOUT).text, "&About");

    // The frame knows its window: the idle loop draws through it.
    EXPECT_EQ(theApp.m_pDirectDrawWin, pWin);
    EXPECT_EQ(DirectDrawWin::s_pInstance, pWin);
    EXPECT_TRUE(RecordedMessageBoxes().empty());
}

TEST_F(MainWindowTest, CreationLoadsTheSheetsAndMakesTheSoundBankWithEverySwitchOff)
{
    MemWin* pWin = Open();
    ASSERT_NE(pWin, nullptr);

    ExpectSize(pWin->m_pFacesSurface, 128, 768, "LEVEL0");
    ExpectSize(pWin->m_pBacksSurface, 128, 512, "STOVE2");
    ExpectSize(pWin->m_pBackgroundSurface, 540, 400, "BKGR_FOIL");
    ExpectSize(pWin->m_pBackBuffer, 544, 404, "back buffer");
    platform::testing::DirectDrawCounts now = LiveDirectDrawObjects();
    EXPECT_EQ(now.directDraws, ddBefore.directDraws + 1);
    EXPECT_EQ(now.surfaces, ddBefore.surfaces + 5); // primary, back buffer, three sheets
    EXPECT_EQ(now.clippers, ddBefore.clippers + 1);
    EXPECT_EQ(now.palettes, ddBefore.palettes);

    ASSERT_NE(pWin->m_pDSound, nullptr);
    EXPECT_NE(pWin->m_pDSound->m_pDirectSound, nullptr);
    EXPECT_EQ(pWin->m_bUseSound, 1);
    EXPECT_EQ(pWin->m_bSoundOn, 0);
    EXPECT_EQ(pWin->m_bUseMusic, 0);
    EXPECT_EQ(pWin->m_bMusicOn, 0);
    EXPECT_EQ(pWin->m_pMidiPlayer, nullptr);
    EXPECT_EQ(pWin->m_nRotateStyle, ROTATE_VERTICAL);
}

TEST_F(MainWindowTest, WithoutAnAudioDeviceTheWindowIsMadeAndStaysSilent)
{
    platform::testing::SetSoundDeviceAvailable(false);
    MemWin* pWin = Open();
    platform::testing::SetSoundDeviceAvailable(true);
    ASSERT_NE(pWin, nullptr);
    ASSERT_NE(pWin->m_pDSound, nullptr);
    EXPECT_EQ(pWin->m_pDSound->m_pDirectSound, nullptr);
    EXPECT_EQ(pWin->m_bSoundOn, 0);
    EXPECT_TRUE(RecordedMessageBoxes().empty());
}

TEST_F(MainWindowTest, CreationRecordsTheWindowRectangleAndTheScreen)
{
    platform::testing::OverrideDisplayMode(1600, 900, 32);
    MemWin* pWin = Open();
    ASSERT_NE(pWin, nullptr);

    EXPECT_EQ(pWin->m_nHorzRes, 1600);
    EXPECT_EQ(pWin->m_nVertRes, 900);
    EXPECT_EQ(pWin->m_nBitsPixel, 32);

    CRect expected(0, 0, 544, 404);
    AdjustWindowRect(expected, WS_OVERLAPPEDWINDOW, TRUE);
    CRect recorded(pWin->m_rcDefaultWindow);
    EXPECT_EQ(recorded.Width(), expected.Width());
    EXPECT_EQ(recorded.Height(), expected.Height());
    CRect window;
    pWin->GetWindowRect(&window);
    EXPECT_EQ(recorded, window);
}

TEST_F(MainWindowTest, AFrameCopiesTheBackgroundToTheTopLeftAndPresentsItInTheClientArea)
{
    MemWin* pWin = Open();
    ASSERT_NE(pWin, nullptr);
    ASSERT_TRUE(pWin->m_bActive);
    testsupport::Paint(pWin->m_pBackBuffer, [](int, int) { return kMarker; });
    gametest::FillWindow(pWin->m_hWnd, kMarker);

    theApp.OnIdle(0);

    ExpectBackgroundIn(pWin->m_pBackBuffer);
    ExpectBackgroundIn(pWin->m_hWnd);
    // The bitmap covers 540 by 400: the last four columns and rows keep what they had.
    EXPECT_EQ(PixelAt(pWin->m_pBackBuffer, 540, 0), kMarker);
    EXPECT_EQ(PixelAt(pWin->m_pBackBuffer, 0, 400), kMarker);
    EXPECT_EQ(PixelAt(pWin->m_pBackBuffer, 543, 403), kMarker);
    EXPECT_EQ(WindowPixel(pWin->m_hWnd, 543, 403), kMarker);
}

TEST_F(MainWindowTest, APaintWhileInactiveStillDrawsAWholeFrame)
{
    MemWin* pWin = Open();
    ASSERT_NE(pWin, nullptr);
    pWin->SendMessage(WM_ACTIVATEAPP, FALSE, 0);
    ASSERT_FALSE(pWin->m_bActive);
    testsupport::Paint(pWin->m_pBackBuffer, [](int, int) { return kMarker; });
    gametest::FillWindow(pWin->m_hWnd, kMarker);

    platform::testing::RecordBlits(true);
    theApp.OnIdle(0); // the idle loop draws nothing while inactive
    EXPECT_TRUE(platform::testing::RecordedBlits().empty());

    ::InvalidateRect(pWin->m_hWnd, NULL, FALSE);
    ::UpdateWindow(pWin->m_hWnd);

    ExpectBackgroundIn(pWin->m_hWnd);
    int presents = 0;
    for (const platform::testing::BlitRecord& b : platform::testing::RecordedBlits()) {
        if (b.dest != pWin->m_pPrimary)
            continue;
        ++presents;
        EXPECT_EQ(b.src, pWin->m_pBackBuffer);
        EXPECT_FALSE(b.srcRectGiven);
        EXPECT_EQ(CRect(b.destRect), CRect(pWin->m_rcClient));
        EXPECT_EQ(b.flags, (DWORD)DDBLT_WAIT);
    }
    EXPECT_EQ(presents, 1);
}

TEST_F(MainWindowTest, AFailedVerticalBlankBeepsAndTheFrameIsStillDrawn)
{
    MemWin* pWin = Open();
    ASSERT_NE(pWin, nullptr);
    testsupport::Paint(pWin->m_pBackBuffer, [](int, int) { return kMarker; });
    platform::testing::SetVerticalBlankFails(true);
    platform::testing::ResetBeepCount();

    pWin->DrawFrame();

    EXPECT_EQ(platform::testing::BeepCount(), 1);
    ExpectBackgroundIn(pWin->m_pBackBuffer);
}

TEST_F(MainWindowTest, LostSurfacesAreRestoredAndReloadedInPlace)
{
    MemWin* pWin = Open();
    ASSERT_NE(pWin, nullptr);
    IDirectDrawSurface* apBefore[] = {pWin->m_pFacesSurface, pWin->m_pBacksSurface, pWin->m_pBackgroundSurface};

    for (IDirectDrawSurface* p : {pWin->m_pPrimary, pWin->m_pBackBuffer, pWin->m_pFacesSurface, pWin->m_pBacksSurface,
                                  pWin->m_pBackgroundSurface})
        platform::testing::MarkSurfaceLost(p);
    ASSERT_TRUE(pWin->PrepareFrame());

    IDirectDrawSurface* apAfter[] = {pWin->m_pFacesSurface, pWin->m_pBacksSurface, pWin->m_pBackgroundSurface};
    const char* apszNames[] = {"LEVEL0", "STOVE2", "BKGR_FOIL"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(apAfter[i], apBefore[i]) << apszNames[i];
        EXPECT_EQ(apAfter[i]->IsLost(), DD_OK) << apszNames[i];
        for (const auto& p : {std::pair{5, 7}, std::pair{127, 399}, std::pair{64, 200}})
            EXPECT_EQ(PixelAt(apAfter[i], p.first, p.second), BitmapPixel(apszNames[i], p.first, p.second).value())
                << apszNames[i] << " at " << p.first << ", " << p.second;
    }
    pWin->DrawFrame();
    ExpectBackgroundIn(pWin->m_hWnd);
}

TEST_F(MainWindowTest, DestroyingTheWindowReleasesEverythingOnceAndEndsTheProgram)
{
    MemWin* pWin = Open();
    ASSERT_NE(pWin, nullptr);
    pWin->LoadPalette(); // a palette too, as a display rebuild leaves one
    ASSERT_NE(pWin->m_pPalette, nullptr);
    theApp.OnIdle(0);
    HWND hwnd = pWin->m_hWnd;

    ASSERT_TRUE(pWin->DestroyWindow());

    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(theApp.m_pMainWnd, nullptr);
    EXPECT_TRUE(gametest::SameCounts(LiveDirectDrawObjects(), ddBefore));
    EXPECT_EQ(platform::testing::LiveGdiObjects(), gdiBefore);
    int exitCode = -1;
    EXPECT_TRUE(platform::testing::TakeQuitMessage(&exitCode));
    EXPECT_EQ(exitCode, 0);
}

TEST_F(MainWindowTest, AMonitorPowerRequestIsAnsweredAndOtherSystemCommandsGoOn)
{
    MemWin* pWin = Open();
    ASSERT_NE(pWin, nullptr);

    EXPECT_EQ(pWin->SendMessage(WM_SYSCOMMAND, SC_MONITORPOWER, 2), 1);
    EXPECT_EQ(pWin->SendMessage(WM_SYSCOMMAND, SC_MONITORPOWER, -1), 1);
    EXPECT_TRUE(IsWindow(pWin->m_hWnd));

    EXPECT_EQ(pWin->SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0), 0);
    EXPECT_TRUE(IsIconic(pWin->m_hWnd));
}

TEST_F(MainWindowTest, ThePaletteLoaderGivesThe256EntriesOfTheResource)
{
    MemWin* pWin = Open();
    ASSERT_NE(pWin, nullptr);
    std::vector<uint8_t> resource = testsupport::ProgramResource("MYRT_PALETTE", "IDR_PALETTE");
    ASSERT_EQ(resource.size(), 1024u);

    RGBQUAD* pColors = pWin->LoadPaletteResource();
    ASSERT_NE(pColors, nullptr);
    EXPECT_EQ(std::memcmp(pColors, resource.data(), resource.size()), 0);

    pWin->LoadPalette();
    EXPECT_NE(pWin->m_pPalette, nullptr);
    EXPECT_EQ(LiveDirectDrawObjects().palettes, ddBefore.palettes + 1);
    EXPECT_TRUE(RecordedMessageBoxes().empty());
}

TEST_F(MainWindowTest, AMissingPaletteIsReportedByTheWindowAndBuildsNoPalette)
{
    MemWin* pWin = Open();
    ASSERT_NE(pWin, nullptr);
    platform::testing::HideResource("IDR_PALETTE");

    EXPECT_EQ(pWin->LoadPaletteResource(), nullptr);
    ASSERT_EQ(RecordedMessageBoxes().size(), 1u);
    const platform::testing::RecordedMessageBox& box = RecordedMessageBoxes()[0];
    EXPECT_EQ(box.text, "Cannt find resource IDR_PALETTE");
    EXPECT_EQ(box.caption, AfxGetAppName());
    EXPECT_EQ(box.type & MB_TYPEMASK, (UINT)MB_OK);
    EXPECT_EQ(box.owner, pWin->m_hWnd);

    pWin->LoadPalette();
    EXPECT_EQ(pWin->m_pPalette, nullptr);
    EXPECT_EQ(LiveDirectDrawObjects().palettes, ddBefore.palettes);
    EXPECT_EQ(RecordedMessageBoxes().size(), 2u);
}

} // namespace
