// A palette set on the primary surface of a palette display is the screen's palette: every
// top-level window hears WM_PALETTECHANGED with the window that changed it.
#include "WindowTestSupport.h"

#include "support/DirectDrawTestSupport.h"
#include "testing/DisplayOverride.h"

namespace {

using test::LoggedOf;
using testsupport::ComPtr;

struct PaletteMessageTest : test::PlatformTest {
    void SetUp() override
    {
        PlatformTest::SetUp();
        owner = MakeWindow("Owner");
        other = MakeWindow("Other");
    }
    void TearDown() override
    {
        platform::testing::ClearDisplayModeOverride();
        PlatformTest::TearDown();
    }

    // A primary surface whose clipper is bound to `owner`, and a palette for it.
    void MakePrimary()
    {
        primary.p = testsupport::CreateSurface(dd, testsupport::PrimaryDesc());
        ASSERT_TRUE(primary);
        ASSERT_EQ(dd->CreateClipper(0, &clipper, nullptr), DD_OK);
        ASSERT_EQ(clipper->SetHWnd(0, owner), DD_OK);
        ASSERT_EQ(primary->SetClipper(clipper), DD_OK);
        PALETTEENTRY entries[256] = {};
        ASSERT_EQ(dd->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries, &palette, nullptr), DD_OK);
    }

    HWND owner = nullptr;
    HWND other = nullptr;
    ComPtr<IDirectDraw2> dd{testsupport::CreateDirectDraw2()};
    ComPtr<IDirectDrawSurface> primary;
    ComPtr<IDirectDrawClipper> clipper;
    ComPtr<IDirectDrawPalette> palette;
};

TEST_F(PaletteMessageTest, ANewScreenPaletteIsAnnouncedToEveryTopLevelWindowOnce)
{
    platform::testing::OverrideDisplayMode(640, 480, 8);
    MakePrimary();

    ASSERT_EQ(primary->SetPalette(palette), DD_OK);
    auto heard = LoggedOf(WM_PALETTECHANGED);
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard[0].hwnd, owner);
    EXPECT_EQ(heard[1].hwnd, other);
    for (const auto& h : heard)
        EXPECT_EQ(h.wParam, reinterpret_cast<WPARAM>(owner));

    // The same palette again, or none, changes nothing on the screen.
    ASSERT_EQ(primary->SetPalette(palette), DD_OK);
    ASSERT_EQ(primary->SetPalette(nullptr), DD_OK);
    EXPECT_EQ(LoggedOf(WM_PALETTECHANGED).size(), 2u);
}

TEST_F(PaletteMessageTest, AnOffscreenSurfaceOrATrueColourScreenAnnouncesNothing)
{
    platform::testing::OverrideDisplayMode(640, 480, 8);
    MakePrimary();
    ComPtr<IDirectDrawSurface> offscreen(testsupport::CreateSurface(dd, testsupport::OffscreenDesc(4, 4)));
    ASSERT_EQ(offscreen->SetPalette(palette), DD_OK);
    EXPECT_TRUE(LoggedOf(WM_PALETTECHANGED).empty());

    platform::testing::OverrideDisplayMode(640, 480, 32);
    ComPtr<IDirectDrawSurface> primary32(testsupport::CreateSurface(dd, testsupport::PrimaryDesc()));
    EXPECT_EQ(primary32->SetPalette(palette), DDERR_INVALIDPIXELFORMAT);
    EXPECT_TRUE(LoggedOf(WM_PALETTECHANGED).empty());
}

TEST_F(PaletteMessageTest, ABroadcastSkipsAWindowDestroyedByAnEarlierOne)
{
    test::Reactions()[WM_USER] = [this](HWND hwnd, WPARAM, LPARAM) -> LRESULT {
        if (hwnd == owner)
            DestroyWindow(other);
        return 0;
    };
    EXPECT_EQ(SendMessageA(HWND_BROADCAST, WM_USER, 7, 0), TRUE);
    auto heard = LoggedOf(WM_USER);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].hwnd, owner);
}

} // namespace
