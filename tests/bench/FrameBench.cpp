// Composes frames the way the game does and compares the time per frame with a memcpy
// of the same number of bytes: the background into the back buffer, twelve 128 by 128
// cards of which four are stretched mid-turn, and the present into a 544 by 404 window.
#include "testing/DirectDrawSeams.h"

#include <ddraw.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr int kClientW = 544, kClientH = 404;
constexpr int kFrames = 400;

IDirectDrawSurface* Make(IDirectDraw2* dd, int w, int h, DWORD caps)
{
    DDSURFACEDESC d{};
    d.dwSize = sizeof(d);
    d.dwFlags = caps & DDSCAPS_PRIMARYSURFACE ? DDSD_CAPS : DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    d.dwWidth = static_cast<DWORD>(w);
    d.dwHeight = static_cast<DWORD>(h);
    d.ddsCaps.dwCaps = caps;
    IDirectDrawSurface* s = nullptr;
    if (dd->CreateSurface(&d, &s, nullptr) != DD_OK) {
        std::fprintf(stderr, "cannot create a %dx%d surface\n", w, h);
        std::exit(1);
    }
    return s;
}

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

} // namespace

int main()
{
    // The window the primary surface presents into.
    std::vector<uint32_t> windowPixels(static_cast<size_t>(kClientW) * kClientH);
    platform::testing::FakeWindow window;
    window.hwnd = reinterpret_cast<HWND>(0x1000);
    window.clientOrigin = POINT{200, 100};
    window.pixels = platform::PixelView{windowPixels.data(), kClientW, kClientH, kClientW};
    platform::testing::UseFakeWindow(&window);

    IDirectDraw* dd1 = nullptr;
    IDirectDraw2* dd = nullptr;
    DirectDrawCreate(nullptr, &dd1, nullptr);
    dd1->QueryInterface(IID_IDirectDraw2, reinterpret_cast<void**>(&dd));
    dd1->Release();
    dd->SetCooperativeLevel(window.hwnd, DDSCL_NORMAL);
    IDirectDrawSurface* primary = Make(dd, 0, 0, DDSCAPS_PRIMARYSURFACE);
    IDirectDrawClipper* clipper = nullptr;
    dd->CreateClipper(0, &clipper, nullptr);
    clipper->SetHWnd(0, window.hwnd);
    primary->SetClipper(clipper);
    IDirectDrawSurface* back = Make(dd, kClientW, kClientH, DDSCAPS_OFFSCREENPLAIN | DDSCAPS_VIDEOMEMORY);
    IDirectDrawSurface* background = Make(dd, 540, 400, DDSCAPS_OFFSCREENPLAIN);
    IDirectDrawSurface* faces = Make(dd, 128, 768, DDSCAPS_OFFSCREENPLAIN);
    IDirectDrawSurface* backs = Make(dd, 128, 512, DDSCAPS_OFFSCREENPLAIN);

    RECT client{200, 100, 200 + kClientW, 100 + kClientH};
    size_t bytes = 0;
    auto frame = [&](bool count) {
        back->BltFast(0, 0, background, nullptr, DDBLTFAST_WAIT);
        for (int i = 0; i < 12; ++i) {
            const int x = 8 + (i % 4) * 134, y = 8 + (i / 4) * 132;
            if (i % 3 == 0) {
                // A card mid-turn: its back squeezed into the middle half of its height.
                RECT src{0, 128, 128, 256}, dst{x, y + 32, x + 128, y + 96};
                back->Blt(&dst, backs, &src, DDBLT_WAIT, nullptr);
                bytes += count ? 128 * 64 * 4 : 0;
            } else {
                RECT src{0, 128 * (i % 6), 128, 128 * (i % 6) + 128};
                back->BltFast(x, y, faces, &src, DDBLTFAST_WAIT);
                bytes += count ? 128 * 128 * 4 : 0;
            }
        }
        primary->Blt(&client, back, nullptr, DDBLT_WAIT, nullptr);
        bytes += count ? (540 * 400 + kClientW * kClientH) * 4 : 0;
    };

    frame(true);
    const size_t frameBytes = bytes;
    for (int i = 0; i < 20; ++i)
        frame(false);
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kFrames; ++i)
        frame(false);
    const double frameTime = Seconds(std::chrono::steady_clock::now() - start) / kFrames;

    std::vector<uint8_t> from(frameBytes, 1), to(frameBytes);
    for (int i = 0; i < 20; ++i)
        std::memcpy(to.data(), from.data(), frameBytes);
    start = std::chrono::steady_clock::now();
    for (int i = 0; i < kFrames; ++i) {
        from[static_cast<size_t>(i) % frameBytes] = static_cast<uint8_t>(i);
        std::memcpy(to.data(), from.data(), frameBytes);
    }
    const double copyTime = Seconds(std::chrono::steady_clock::now() - start) / kFrames;

    std::printf("frame: %.1f us for %zu bytes; memcpy of the same bytes: %.1f us; ratio %.2f (goal <= 3)\n",
                frameTime * 1e6, frameBytes, copyTime * 1e6, frameTime / copyTime);

    for (IUnknown* u : {static_cast<IUnknown*>(back), static_cast<IUnknown*>(background),
                        static_cast<IUnknown*>(faces), static_cast<IUnknown*>(backs),
                        static_cast<IUnknown*>(primary), static_cast<IUnknown*>(clipper),
                        static_cast<IUnknown*>(dd)})
        u->Release();
    platform::testing::UseFakeWindow(nullptr);
    // Read what was copied so that the copies cannot be left out.
    volatile uint8_t sink = to[frameBytes - 1];
    (void)sink;
    return 0;
}
