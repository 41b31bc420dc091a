// A frame window for tests: counts its hooks and timer ticks, can draw per frame; and an
// application on the frame that counts its idle passes.
#pragma once
#include "frame/DirectDrawApp.h"
#include "frame/DirectDrawWin.h"

#include <ddraw.h>

#include <functional>
#include <string>
#include <vector>

class TestFrameWin : public DirectDrawWin {
public:
    int nDrawFrames = 0;
    int nCustomSurfaces = 0;
    int nRestores = 0;
    BOOL bCustomResult = TRUE;
    std::vector<UINT_PTR> timerTicks;
    std::function<void()> onDrawFrame; // runs inside every DrawFrame

    void DrawFrame() override
    {
        ++nDrawFrames;
        if (onDrawFrame)
            onDrawFrame();
    }
    BOOL CreateCustomSurfaces() override
    {
        ++nCustomSurfaces;
        return bCustomResult;
    }
    void RestoreSurfaces() override { ++nRestores; }
    afx_msg void OnTimer(UINT_PTR nIDEvent) { timerTicks.push_back(nIDEvent); }

    // Makes the DirectDraw object and primary surface the way OnCreate does, without a window.
    void MakeDirectDraw();

    DECLARE_MESSAGE_MAP()
};

// The application on the frame: Run's idle passes go through here.
class TestFrameApp : public DirectDrawApp {
public:
    int nPasses = 0;
    std::vector<BOOL> results;
    std::function<void(int pass)> afterPass; // pass counted from 1

    BOOL OnIdle(LONG lCount) override
    {
        BOOL result = DirectDrawApp::OnIdle(lCount);
        results.push_back(result);
        ++nPasses;
        if (afterPass)
            afterPass(nPasses);
        return result;
    }
};

// A plain off-screen surface of the display's format.
LPDIRECTDRAWSURFACE MakeSurface(LPDIRECTDRAW2 pDD, int width, int height);
// One pixel (0xRRGGBB) read through Lock.
DWORD PixelAt(LPDIRECTDRAWSURFACE pSurface, int x, int y);
void Fill(LPDIRECTDRAWSURFACE pSurface, DWORD colour);
// Width and height of a surface.
SIZE SurfaceSize(LPDIRECTDRAWSURFACE pSurface);
void ExpectSize(SIZE actual, LONG cx, LONG cy);
void ExpectRect(const RECT& actual, const RECT& expected);
// Texts of the message boxes recorded so far, each checked to be a plain MB_OK box.
std::vector<std::string> RecordedBoxTexts();
