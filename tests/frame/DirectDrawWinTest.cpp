// The frame window on a real window: its client area, the DirectDraw set-up and what
// follows its failures, the rebuild, and frames presented into the client area.
#include "FrameWindowFixture.h"
#include "testing/ClientPixels.h"
#include "testing/WindowProbe.h"

#include <string>
#include <vector>

namespace {

using platform::testing::LiveDirectDrawObjects;
using Texts = std::vector<std::string>;

using DirectDrawWinTest = FrameWindowFixture;

void ExpectLive(int directDraws, int surfaces, int clippers, int palettes = 0)
{
    auto live = LiveDirectDrawObjects();
    EXPECT_EQ(live.directDraws, directDraws);
    EXPECT_EQ(live.surfaces, surfaces);
    EXPECT_EQ(live.clippers, clippers);
    EXPECT_EQ(live.palettes, palettes);
}

DWORD CapsOf(LPDIRECTDRAWSURFACE pSurface)
{
    DDSCAPS caps{};
    EXPECT_EQ(pSurface->GetCaps(&caps), DD_OK);
    return caps.dwCaps;
}

TEST_F(DirectDrawWinTest, OpensWithA544By404ClientAreaAndBackBuffer)
{
    Open();
    RECT client;
    ::GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, 544);
    EXPECT_EQ(client.bottom, 404);
    ExpectSize(platform::testing::ClientWidgetSize(hwnd), 544, 404);
    EXPECT_EQ(platform::testing::MenuBarTexts(hwnd), (Texts{"&Game", "S&tart", "&Help"}));
    ExpectRect(win->m_rcClient, ClientOnScreen());

    ASSERT_NE(win->m_pBackBuffer, nullptr);
    ExpectSize(SurfaceSize(win->m_pBackBuffer), 544, 404);
    EXPECT_TRUE(win->m_bBackInVideoMemory);
    EXPECT_TRUE(CapsOf(win->m_pBackBuffer) & DDSCAPS_VIDEOMEMORY);
    LPDIRECTDRAWCLIPPER pClipper = NULL;
    ASSERT_EQ(win->m_pPrimary->GetClipper(&pClipper), DD_OK);
    EXPECT_EQ(pClipper, win->m_pClipper);
    pClipper->Release();
    HWND bound = NULL;
    EXPECT_EQ(win->m_pClipper->GetHWnd(&bound), DD_OK);
    EXPECT_EQ(bound, hwnd);
    EXPECT_EQ(win->m_nDisplayDepth, 32);
    EXPECT_GT(win->m_rcDisplay.right, 0);
    EXPECT_EQ(win->m_wRedShift, 16);
    EXPECT_EQ(win->nCustomSurfaces, 1);
    ExpectLive(1, 2, 1);
    EXPECT_TRUE(RecordedBoxTexts().empty());

    // Shown in the normal state whatever the process was started with.
    app.m_nCmdShow = SW_SHOWMINIMIZED;
    EXPECT_TRUE(app.InitInstance());
    platform::testing::DispatchPendingMessages();
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_FALSE(IsIconic(hwnd));
    ExpectSize(platform::testing::ClientWidgetSize(hwnd), 544, 404);
    ExpectRect(win->m_rcClient, ClientOnScreen());

    // The window's end releases every DirectDraw object.
    DestroyWindow(hwnd);
    ExpectLive(0, 0, 0);
}

TEST_F(DirectDrawWinTest, ShortVideoMemoryPutsTheBackBufferInSystemMemoryWithoutAMessage)
{
    platform::testing::SetVideoMemoryShort(true);
    Open();
    ASSERT_NE(win->m_pBackBuffer, nullptr);
    EXPECT_FALSE(win->m_bBackInVideoMemory);
    EXPECT_TRUE(CapsOf(win->m_pBackBuffer) & DDSCAPS_SYSTEMMEMORY);
    ExpectSize(SurfaceSize(win->m_pBackBuffer), 544, 404);
    EXPECT_EQ(win->nCustomSurfaces, 1);
    EXPECT_TRUE(RecordedBoxTexts().empty());
}

TEST_F(DirectDrawWinTest, AFailedPrimarySurfaceStopsTheSetUpButTheWindowOpens)
{
    platform::testing::FailNextSurfaceCreations(1);
    Open();
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_EQ(RecordedBoxTexts(), Texts{"CreateFlippingSurfaces() failed"});
    EXPECT_EQ(win->nCustomSurfaces, 0);
    EXPECT_EQ(win->m_pPrimary, nullptr);
    EXPECT_EQ(win->m_pBackBuffer, nullptr);
    ExpectLive(1, 0, 0);

    // Nothing that uses the primary surface touches the missing one.
    app.InitInstance();
    platform::testing::DispatchPendingMessages();
    EXPECT_TRUE(app.OnIdle(0));
    EXPECT_EQ(win->nDrawFrames, 1);
    DestroyWindow(hwnd);
    ExpectLive(0, 0, 0);
}

TEST_F(DirectDrawWinTest, WithoutADirectDrawObjectNothingIsMadeOrTouched)
{
    platform::testing::FailNextDirectDrawCreations(1);
    Open();
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_EQ(RecordedBoxTexts(), Texts{"CreateFlippingSurfaces() failed"});
    EXPECT_EQ(win->m_pDirectDraw, nullptr);
    EXPECT_EQ(win->m_rcDisplay.right, 0);
    ExpectLive(0, 0, 0);
    app.InitInstance();
    platform::testing::DispatchPendingMessages();
    EXPECT_TRUE(app.OnIdle(0));
    RGBQUAD colours[256] = {};
    EXPECT_FALSE(win->CreatePaletteFromColors(colours, 256));
}

TEST_F(DirectDrawWinTest, AFailedClipperLeavesThePrimaryWithoutBackBufferOrCustomSurfaces)
{
    platform::testing::FailNextClipperCreations(1);
    Open();
    EXPECT_EQ(RecordedBoxTexts(), Texts{"CreateFlippingSurfaces() failed"});
    EXPECT_NE(win->m_pPrimary, nullptr);
    EXPECT_EQ(win->m_pBackBuffer, nullptr);
    EXPECT_EQ(win->nCustomSurfaces, 0);
    ExpectLive(1, 1, 0);
    DestroyWindow(hwnd);
    ExpectLive(0, 0, 0);
}

TEST_F(DirectDrawWinTest, FailedCustomSurfacesAreReportedAfterTheFrameObjectsAreMade)
{
    win->bCustomResult = FALSE;
    Open();
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_EQ(RecordedBoxTexts(), Texts{"CreateCustomSurfaces() failed"});
    EXPECT_EQ(win->nCustomSurfaces, 1);
    EXPECT_NE(win->m_pBackBuffer, nullptr);
    EXPECT_EQ(win->m_wGreenShift, 8);
    ExpectLive(1, 2, 1);
}

TEST_F(DirectDrawWinTest, ResizingMovesTheClientRectangleButKeepsTheBackBuffer)
{
    Open();
    ResizeClient(400, 300);
    RECT client;
    ::GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, 400);
    EXPECT_EQ(client.bottom, 300);
    ExpectRect(win->m_rcClient, ClientOnScreen());
    ExpectSize(SurfaceSize(win->m_pBackBuffer), 544, 404);

    SetWindowPos(hwnd, NULL, 70, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    platform::testing::DispatchPendingMessages();
    ExpectRect(win->m_rcClient, ClientOnScreen());
    EXPECT_EQ(win->m_rcClient.right - win->m_rcClient.left, 400);
    ExpectSize(SurfaceSize(win->m_pBackBuffer), 544, 404);
}

TEST_F(DirectDrawWinTest, TheRebuildLeavesOneNewSetAtTheCurrentClientSize)
{
    Open();
    RGBQUAD colours[256] = {};
    ASSERT_TRUE(win->CreatePaletteFromColors(colours, 256));
    ExpectLive(1, 2, 1, 1);
    ResizeClient(400, 300);

    win->OnDestroy();
    ExpectLive(0, 0, 0, 0);
    EXPECT_EQ(win->OnCreate(NULL), 0);
    ExpectLive(1, 2, 1, 0); // the palette is not part of the set-up
    ASSERT_NE(win->m_pBackBuffer, nullptr);
    ExpectSize(SurfaceSize(win->m_pBackBuffer), 400, 300);
    ExpectRect(win->m_rcClient, ClientOnScreen());
    EXPECT_EQ(win->m_pPalette, nullptr);
    EXPECT_EQ(win->nCustomSurfaces, 2);
    HWND bound = NULL;
    EXPECT_EQ(win->m_pClipper->GetHWnd(&bound), DD_OK);
    EXPECT_EQ(bound, hwnd);
    EXPECT_TRUE(RecordedBoxTexts().empty());
}

TEST_F(DirectDrawWinTest, ARebuildWithoutAClientAreaGoesOnWithoutABackBuffer)
{
    Open();
    ShowWindow(hwnd, SW_MINIMIZE);
    platform::testing::DispatchPendingMessages();
    win->OnDestroy();
    win->OnCreate(NULL);
    EXPECT_EQ(RecordedBoxTexts(), Texts{"Cann't create backbuffer"});
    EXPECT_EQ(win->m_pBackBuffer, nullptr);
    EXPECT_FALSE(win->m_bBackInVideoMemory);
    EXPECT_NE(win->m_pPrimary, nullptr);
    EXPECT_EQ(win->nCustomSurfaces, 2);
    ExpectLive(1, 1, 1);

    // A lost primary is restored without the missing back buffer.
    platform::testing::MarkSurfaceLost(win->m_pPrimary);
    EXPECT_TRUE(win->PrepareFrame());
    EXPECT_EQ(win->nRestores, 1);
    EXPECT_EQ(win->m_pPrimary->IsLost(), DD_OK);
}

// What the game's DrawFrame does at its end: the back buffer stretched into the client area.
struct PresentTest : FrameWindowFixture {
    static constexpr DWORD kQuadrants[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00};

    void SetUp() override
    {
        FrameWindowFixture::SetUp();
        win->onDrawFrame = [this] {
            win->m_pPrimary->Blt(&win->m_rcClient, win->m_pBackBuffer, NULL, DDBLT_WAIT, NULL);
        };
        Open();
        // The back buffer in four quadrants of 272 by 202.
        for (int q = 0; q < 4; ++q) {
            DDBLTFX fx;
            ZeroMemory(&fx, sizeof(fx));
            fx.dwSize = sizeof(fx);
            fx.dwFillColor = kQuadrants[q];
            RECT rc{(q % 2) * 272, (q / 2) * 202, (q % 2) * 272 + 272, (q / 2) * 202 + 202};
            ASSERT_EQ(win->m_pBackBuffer->Blt(&rc, NULL, NULL, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DD_OK);
        }
    }

    // The colour of each client pixel checked, by the quadrant its position falls in.
    void ExpectClientShowsQuadrants()
    {
        RECT client;
        ::GetClientRect(hwnd, &client);
        platform::testing::ClientPixels view;
        ASSERT_TRUE(platform::testing::ReadClientPixels(hwnd, &view));
        ASSERT_EQ(view.width, client.right);
        ASSERT_EQ(view.height, client.bottom);
        const int w = view.width, h = view.height;
        const int xs[] = {0, w / 4, w / 2 - 2, w / 2 + 2, 3 * w / 4, w - 1};
        const int ys[] = {0, h / 4, h / 2 - 2, h / 2 + 2, 3 * h / 4, h - 1};
        for (int y : ys)
            for (int x : xs) {
                const int q = (x < w / 2 ? 0 : 1) + (y < h / 2 ? 0 : 2);
                EXPECT_EQ(view.At(x, y), kQuadrants[q]) << x << "," << y;
            }
    }
};

TEST_F(PresentTest, AFrameLandsInTheClientArea)
{
    EXPECT_TRUE(app.OnIdle(0));
    EXPECT_EQ(win->nDrawFrames, 1);
    ExpectClientShowsQuadrants();
}

TEST_F(PresentTest, AFrameIsStretchedIntoAResizedClientArea)
{
    ResizeClient(272, 202);
    app.OnIdle(0);
    ExpectClientShowsQuadrants();

    ResizeClient(700, 500);
    app.OnIdle(0);
    ExpectClientShowsQuadrants();
    ExpectSize(SurfaceSize(win->m_pBackBuffer), 544, 404);
}

} // namespace
