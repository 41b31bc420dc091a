#include "testing/DirectDrawSeams.h"

#include "ddraw/Clipper.h"
#include "ddraw/DirectDraw.h"
#include "ddraw/Driver.h"
#include "ddraw/Palette.h"
#include "ddraw/Surface.h"
#include "ddraw/WindowPresenter.h"
#include "testing/TestClock.h"

namespace platform::testing {
namespace {

using ddraw::ObjectKind;

struct PendingFailures {
    int count = 0;
    HRESULT error = DD_OK;
};

// A driver that runs short of video memory and fails creations on request.
class TestDriver final : public ddraw::Driver {
public:
    HRESULT Reserve(ObjectKind kind) override
    {
        PendingFailures& f = failures[static_cast<int>(kind)];
        if (f.count <= 0)
            return DD_OK;
        --f.count;
        return f.error;
    }
    bool HasVideoMemory() override { return !videoMemoryShort; }

    PendingFailures failures[4];
    bool videoMemoryShort = false;
};

// The fake window in place of the window system's.
class FakePresenter final : public ddraw::WindowPresenter {
public:
    bool Exists(HWND hwnd) override { return Fake(hwnd) != nullptr; }
    bool ClientAreaOnScreen(HWND hwnd, RECT* rect) override
    {
        FakeWindow* fake = Fake(hwnd);
        if (!fake)
            return false;
        const POINT o = fake->clientOrigin;
        *rect = RECT{o.x, o.y, o.x + fake->pixels.width, o.y + fake->pixels.height};
        return true;
    }
    bool Lock(HWND hwnd, PixelView* view) override
    {
        FakeWindow* fake = Fake(hwnd);
        if (!fake || !fake->pixels.pixels)
            return false;
        *view = fake->pixels;
        return true;
    }
    void Unlock(HWND hwnd, std::span<const RECT> changed) override
    {
        if (FakeWindow* fake = Fake(hwnd))
            fake->updates.insert(fake->updates.end(), changed.begin(), changed.end());
    }

    FakeWindow* window = nullptr;

private:
    FakeWindow* Fake(HWND hwnd) const { return hwnd && window && window->hwnd == hwnd ? window : nullptr; }
};

TestDriver& driver()
{
    static TestDriver* d = [] {
        auto* installed = new TestDriver;
        ddraw::InstallDriver(installed);
        return installed;
    }();
    return *d;
}

FakePresenter& presenter()
{
    static FakePresenter* p = new FakePresenter;
    return *p;
}

void FailNext(ObjectKind kind, int count, HRESULT error) { driver().failures[static_cast<int>(kind)] = {count, error}; }

} // namespace

void MarkSurfaceLost(IDirectDrawSurface* surface)
{
    if (ddraw::Surface* s = ddraw::Surface::From(surface))
        s->MarkLost();
}

void SetVideoMemoryShort(bool isShort) { driver().videoMemoryShort = isShort; }

void FailNextDirectDrawCreations(int count, HRESULT error) { FailNext(ObjectKind::DirectDraw, count, error); }
void FailNextSurfaceCreations(int count, HRESULT error) { FailNext(ObjectKind::Surface, count, error); }
void FailNextClipperCreations(int count, HRESULT error) { FailNext(ObjectKind::Clipper, count, error); }
void FailNextPaletteCreations(int count, HRESULT error) { FailNext(ObjectKind::Palette, count, error); }

void SetVerticalBlankFails(bool fails, HRESULT error) { TheTestClock().SetVerticalBlankError(fails ? error : S_OK); }

DirectDrawCounts LiveDirectDrawObjects()
{
    return {LiveCount<ddraw::DirectDraw>::Count(), LiveCount<ddraw::Surface>::Count(),
            LiveCount<ddraw::Clipper>::Count(), LiveCount<ddraw::Palette>::Count()};
}

void UseFakeWindow(FakeWindow* window)
{
    presenter().window = window;
    ddraw::InstallPresenter(window ? &presenter() : nullptr);
}

void ResetDirectDrawSeams()
{
    SetVideoMemoryShort(false);
    FailNextDirectDrawCreations(0);
    FailNextSurfaceCreations(0);
    FailNextClipperCreations(0);
    FailNextPaletteCreations(0);
    SetVerticalBlankFails(false);
    RecordBlits(false);
    UseFakeWindow(nullptr);
}

} // namespace platform::testing
