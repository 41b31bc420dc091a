// The frame's fatal error: display mode back, DirectDraw given up, the text shown, exit 1.
#include "FrameTestSupport.h"
#include "testing/MessageBoxRecorder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Kept until after the exit handlers have run.
std::string& Calls()
{
    static std::string* calls = new std::string;
    return *calls;
}

// A DirectDraw object that only notes what is asked of it.
struct NotingDirectDraw : IDirectDraw2 {
    STDMETHOD(QueryInterface)(REFIID, void**) override { return E_NOINTERFACE; }
    STDMETHOD_(ULONG, AddRef)() override { return 2; }
    STDMETHOD_(ULONG, Release)() override
    {
        Calls() += "Release ";
        return 0;
    }
    STDMETHOD(RestoreDisplayMode)() override
    {
        Calls() += "RestoreDisplayMode ";
        return DD_OK;
    }
    STDMETHOD(Compact)() override { return Unexpected(); }
    STDMETHOD(CreateClipper)(DWORD, LPDIRECTDRAWCLIPPER*, IUnknown*) override { return Unexpected(); }
    STDMETHOD(CreatePalette)(DWORD, LPPALETTEENTRY, LPDIRECTDRAWPALETTE*, IUnknown*) override { return Unexpected(); }
    STDMETHOD(CreateSurface)(LPDDSURFACEDESC, LPDIRECTDRAWSURFACE*, IUnknown*) override { return Unexpected(); }
    STDMETHOD(DuplicateSurface)(LPDIRECTDRAWSURFACE, LPDIRECTDRAWSURFACE*) override { return Unexpected(); }
    STDMETHOD(EnumDisplayModes)(DWORD, LPDDSURFACEDESC, LPVOID, LPDDENUMMODESCALLBACK) override { return Unexpected(); }
    STDMETHOD(EnumSurfaces)(DWORD, LPDDSURFACEDESC, LPVOID, LPDDENUMSURFACESCALLBACK) override { return Unexpected(); }
    STDMETHOD(FlipToGDISurface)() override { return Unexpected(); }
    STDMETHOD(GetCaps)(LPDDCAPS, LPDDCAPS) override { return Unexpected(); }
    STDMETHOD(GetDisplayMode)(LPDDSURFACEDESC) override { return Unexpected(); }
    STDMETHOD(GetFourCCCodes)(LPDWORD, LPDWORD) override { return Unexpected(); }
    STDMETHOD(GetGDISurface)(LPDIRECTDRAWSURFACE*) override { return Unexpected(); }
    STDMETHOD(GetMonitorFrequency)(LPDWORD) override { return Unexpected(); }
    STDMETHOD(GetScanLine)(LPDWORD) override { return Unexpected(); }
    STDMETHOD(GetVerticalBlankStatus)(LPBOOL) override { return Unexpected(); }
    STDMETHOD(Initialize)(GUID*) override { return Unexpected(); }
    STDMETHOD(SetCooperativeLevel)(HWND, DWORD) override { return Unexpected(); }
    STDMETHOD(SetDisplayMode)(DWORD, DWORD, DWORD, DWORD, DWORD) override { return Unexpected(); }
    STDMETHOD(WaitForVerticalBlank)(DWORD, HANDLE) override { return Unexpected(); }
    STDMETHOD(GetAvailableVidMem)(LPDDSCAPS, LPDWORD, LPDWORD) override { return Unexpected(); }

    HRESULT Unexpected()
    {
        Calls() += "other ";
        return DDERR_UNSUPPORTED;
    }
};

// What the process did before it ended, for the parent to read.
void ReportAtExit()
{
    std::fprintf(stderr, "calls: %s\n", Calls().c_str());
    for (const auto& box : platform::testing::RecordedMessageBoxes())
        std::fprintf(stderr, "box: %s (type %u)\n", box.text.c_str(), (unsigned)(box.type & MB_TYPEMASK));
}

void FailWith(LPDIRECTDRAW2 pDirectDraw)
{
    platform::testing::RecordMessageBoxes(IDOK);
    Calls().clear();
    std::atexit(ReportAtExit);
    static TestFrameWin win;
    win.m_pDirectDraw = pDirectDraw;
    DirectDrawWin::FatalError("Cannot load resource: LEVEL9");
}

TEST(FatalErrorDeathTest, RestoresTheDisplayModeReleasesShowsTheTextAndExitsWithOne)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    static NotingDirectDraw directDraw;
    EXPECT_EXIT(FailWith(&directDraw), ::testing::ExitedWithCode(1),
                "calls: RestoreDisplayMode Release \nbox: Cannot load resource: LEVEL9 \\(type 0\\)");
    EXPECT_EXIT(FailWith(NULL), ::testing::ExitedWithCode(1),
                "calls: \nbox: Cannot load resource: LEVEL9 \\(type 0\\)");
}

} // namespace
