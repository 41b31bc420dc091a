// The record of blits, kept without the stand-in's help: as tools that watch DirectDraw
// calls do, it puts its own entries for Blt and BltFast into the interface table that all
// the stand-in's surfaces share, notes each call from its own arguments and passes it on.
#include "testing/DirectDrawSeams.h"

#include "ddraw/Driver.h"
#include "ddraw/Surface.h"

#include <sys/mman.h>
#include <unistd.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace platform::testing {
namespace {

using BltEntry = HRESULT (*)(IDirectDrawSurface*, LPRECT, LPDIRECTDRAWSURFACE, LPRECT, DWORD, LPDDBLTFX);
using BltFastEntry = HRESULT (*)(IDirectDrawSurface*, DWORD, DWORD, LPDIRECTDRAWSURFACE, LPRECT, DWORD);

struct Recorder {
    BltEntry blt = nullptr;
    BltFastEntry bltFast = nullptr;
    bool recording = false;
    std::vector<BlitRecord> blits;
};

Recorder& recorder()
{
    static Recorder r;
    return r;
}

// The whole of a surface, or nothing for none.
RECT Whole(IDirectDrawSurface* surface)
{
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    if (!surface || FAILED(surface->GetSurfaceDesc(&desc)))
        return RECT{};
    return RECT{0, 0, static_cast<LONG>(desc.dwWidth), static_cast<LONG>(desc.dwHeight)};
}

HRESULT RecordedBlt(IDirectDrawSurface* self, LPRECT lpDestRect, LPDIRECTDRAWSURFACE lpDDSrcSurface, LPRECT lpSrcRect,
                    DWORD dwFlags, LPDDBLTFX lpDDBltFx)
{
    Recorder& r = recorder();
    const HRESULT hr = r.blt(self, lpDestRect, lpDDSrcSurface, lpSrcRect, dwFlags, lpDDBltFx);
    if (r.recording)
        r.blits.push_back(BlitRecord{self, lpDDSrcSurface, false, lpDestRect != nullptr, lpSrcRect != nullptr,
                                     lpDestRect ? *lpDestRect : Whole(self),
                                     lpSrcRect ? *lpSrcRect : Whole(lpDDSrcSurface), dwFlags, hr});
    return hr;
}

HRESULT RecordedBltFast(IDirectDrawSurface* self, DWORD dwX, DWORD dwY, LPDIRECTDRAWSURFACE lpDDSrcSurface,
                        LPRECT lpSrcRect, DWORD dwTrans)
{
    Recorder& r = recorder();
    const HRESULT hr = r.bltFast(self, dwX, dwY, lpDDSrcSurface, lpSrcRect, dwTrans);
    if (r.recording) {
        const RECT srcRect = lpSrcRect ? *lpSrcRect : Whole(lpDDSrcSurface);
        // The position and the source's size, where that is a rectangle at all.
        const int64_t right = int64_t{dwX} + srcRect.right - srcRect.left;
        const int64_t bottom = int64_t{dwY} + srcRect.bottom - srcRect.top;
        RECT destRect{};
        if (dwX <= INT_MAX && dwY <= INT_MAX && right <= INT_MAX && bottom <= INT_MAX)
            destRect = RECT{static_cast<LONG>(dwX), static_cast<LONG>(dwY), static_cast<LONG>(right),
                            static_cast<LONG>(bottom)};
        r.blits.push_back(
            BlitRecord{self, lpDDSrcSurface, true, false, lpSrcRect != nullptr, destRect, srcRect, dwTrans, hr});
    }
    return hr;
}

// The slot of a virtual function in the interface table: the Itanium C++ ABI keeps a
// pointer to a virtual member as one more than the slot's offset in bytes.
template <class Member>
size_t SlotOf(Member member)
{
    struct {
        uintptr_t ptr;
        ptrdiff_t adj;
    } repr;
    static_assert(sizeof repr == sizeof member);
    std::memcpy(&repr, &member, sizeof repr);
    if (!(repr.ptr & 1))
        std::abort();
    return (repr.ptr - 1) / sizeof(void*);
}

// The table that every surface of the stand-in points to, found on a surface made for it
// with the stand-in's own driver, so that no creation failure a test has set up is spent.
void** SurfaceTable()
{
    ddraw::Driver* installed = &ddraw::CurrentDriver();
    ddraw::InstallDriver(nullptr);
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.dwWidth = desc.dwHeight = 1;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
    IDirectDrawSurface* probe = nullptr;
    const HRESULT hr = ddraw::Surface::Create(&desc, &probe);
    ddraw::InstallDriver(installed);
    if (FAILED(hr))
        std::abort();
    void** table = *reinterpret_cast<void***>(probe);
    probe->Release();
    return table;
}

// The loader made the table read-only; its page stays writable afterwards, as other
// constant data may share it.
void Replace(void** entry, void* with)
{
    const uintptr_t page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
    const uintptr_t start = reinterpret_cast<uintptr_t>(entry) & ~(page - 1);
    const uintptr_t end = reinterpret_cast<uintptr_t>(entry + 1);
    if (mprotect(reinterpret_cast<void*>(start), end - start, PROT_READ | PROT_WRITE) != 0)
        std::abort();
    *entry = with;
}

void Hook()
{
    static const bool hooked = [] {
        void** table = SurfaceTable();
        void** blt = table + SlotOf(&IDirectDrawSurface::Blt);
        void** bltFast = table + SlotOf(&IDirectDrawSurface::BltFast);
        recorder().blt = reinterpret_cast<BltEntry>(*blt);
        recorder().bltFast = reinterpret_cast<BltFastEntry>(*bltFast);
        Replace(blt, reinterpret_cast<void*>(&RecordedBlt));
        Replace(bltFast, reinterpret_cast<void*>(&RecordedBltFast));
        return true;
    }();
    (void)hooked;
}

} // namespace

void RecordBlits(bool on)
{
    if (on)
        Hook();
    recorder().recording = on;
    recorder().blits.clear();
}

const std::vector<BlitRecord>& RecordedBlits() { return recorder().blits; }

} // namespace platform::testing
