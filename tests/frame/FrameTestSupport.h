// A frame window for tests: counts its hooks, can draw a colour per frame.
#pragma once
#include "frame/DirectDrawWin.h"

#include <ddraw.h>

class TestFrameWin : public DirectDrawWin {
public:
    int nDrawFrames = 0;
    int nCustomSurfaces = 0;
    int nRestores = 0;
    BOOL bCustomResult = TRUE;

    void DrawFrame() override { ++nDrawFrames; }
    BOOL CreateCustomSurfaces() override
    {
        ++nCustomSurfaces;
        return bCustomResult;
    }
    void RestoreSurfaces() override { ++nRestores; }

    // Makes the DirectDraw object and primary surface the way OnCreate does, without a window.
    void MakeDirectDraw();
};

// A plain off-screen surface of the display's format.
LPDIRECTDRAWSURFACE MakeSurface(LPDIRECTDRAW2 pDD, int width, int height);
// One pixel (0xRRGGBB) read through Lock.
DWORD PixelAt(LPDIRECTDRAWSURFACE pSurface, int x, int y);
void Fill(LPDIRECTDRAWSURFACE pSurface, DWORD colour);
