#include "FrameTestSupport.h"
#include "testing/MessageBoxRecorder.h"

#include <gtest/gtest.h>

BEGIN_MESSAGE_MAP(TestFrameWin, DirectDrawWin)
    ON_WM_TIMER()
END_MESSAGE_MAP()

void TestFrameWin::MakeDirectDraw()
{
    LPDIRECTDRAW pDD = NULL;
    ASSERT_EQ(DirectDrawCreate(NULL, &pDD, NULL), DD_OK);
    ASSERT_EQ(pDD->QueryInterface(IID_IDirectDraw2, (void**)&m_pDirectDraw), DD_OK);
    pDD->Release();
    ASSERT_EQ(m_pDirectDraw->SetCooperativeLevel(NULL, DDSCL_NORMAL), DD_OK);
    DDSURFACEDESC desc;
    ZeroMemory(&desc, sizeof(desc));
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    ASSERT_EQ(m_pDirectDraw->CreateSurface(&desc, &m_pPrimary, NULL), DD_OK);
}

LPDIRECTDRAWSURFACE MakeSurface(LPDIRECTDRAW2 pDD, int width, int height)
{
    DDSURFACEDESC desc;
    ZeroMemory(&desc, sizeof(desc));
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.dwWidth = width;
    desc.dwHeight = height;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    LPDIRECTDRAWSURFACE pSurface = NULL;
    EXPECT_EQ(pDD->CreateSurface(&desc, &pSurface, NULL), DD_OK);
    return pSurface;
}

DWORD PixelAt(LPDIRECTDRAWSURFACE pSurface, int x, int y)
{
    DDSURFACEDESC desc;
    ZeroMemory(&desc, sizeof(desc));
    desc.dwSize = sizeof(desc);
    if (pSurface->Lock(NULL, &desc, DDLOCK_WAIT, NULL) != DD_OK)
        return 0xDEADBEEF;
    DWORD value = ((DWORD*)((BYTE*)desc.lpSurface + y * desc.lPitch))[x] & 0xFFFFFF;
    pSurface->Unlock(NULL);
    return value;
}

void Fill(LPDIRECTDRAWSURFACE pSurface, DWORD colour)
{
    DDBLTFX fx;
    ZeroMemory(&fx, sizeof(fx));
    fx.dwSize = sizeof(fx);
    fx.dwFillColor = colour;
    pSurface->Blt(NULL, NULL, NULL, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
}

SIZE SurfaceSize(LPDIRECTDRAWSURFACE pSurface)
{
    DDSURFACEDESC desc;
    ZeroMemory(&desc, sizeof(desc));
    desc.dwSize = sizeof(desc);
    EXPECT_EQ(pSurface->GetSurfaceDesc(&desc), DD_OK);
    return SIZE{(LONG)desc.dwWidth, (LONG)desc.dwHeight};
}

void ExpectSize(SIZE actual, LONG cx, LONG cy)
{
    EXPECT_EQ(actual.cx, cx);
    EXPECT_EQ(actual.cy, cy);
}

void ExpectRect(const RECT& actual, const RECT& expected)
{
    EXPECT_EQ(actual.left, expected.left);
    EXPECT_EQ(actual.top, expected.top);
    EXPECT_EQ(actual.right, expected.right);
    EXPECT_EQ(actual.bottom, expected.bottom);
}

std::vector<std::string> RecordedBoxTexts()
{
    std::vector<std::string> texts;
    for (const auto& box : platform::testing::RecordedMessageBoxes()) {
        EXPECT_EQ(box.type & MB_TYPEMASK, (UINT)MB_OK) << box.text;
        EXPECT_STREQ(box.caption.c_str(), AfxGetAppName()) << box.text;
        texts.push_back(box.text);
    }
    return texts;
}
