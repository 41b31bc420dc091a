// Composes frames the way the game does and compares the time per frame with a memcpy
// of the same number of bytes, in the same run. Two boards: at rest, the background
// into the back buffer, twelve 128 by 128 cards of which four are stretched mid-turn,
// and the present into a 544 by 404 window; in motion, the same with all twelve cards
// of the game's own Card class mid-effect, each stepped and drawn as a stretched blit.
// Then the present alone, of a frame the window already shows and of one that differs
// in every pixel.
#include "game/Card.h"
#include "game/MemWin.h"
#include "testing/DirectDrawSeams.h"
#include "testing/WindowSystem.h"

#include <ddraw.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int kClientW = 544, kClientH = 404;
constexpr int kFrames = 100;
constexpr int kBatches = 8;

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

// Times `frame` (which adds the bytes it moves when asked to count) beside a memcpy of
// those bytes, and prints both. The machine is shared: each is the best of several
// batches, taken in turns.
void Measure(const char* name, const std::function<void(size_t*)>& frame, double goal)
{
    size_t frameBytes = 0;
    frame(&frameBytes);
    std::vector<uint8_t> from(frameBytes, 1), to(frameBytes);
    for (int i = 0; i < 20; ++i) {
        frame(nullptr);
        std::memcpy(to.data(), from.data(), frameBytes);
    }
    double frameTime = 1e9, copyTime = 1e9;
    for (int batch = 0; batch < kBatches; ++batch) {
        auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kFrames; ++i)
            frame(nullptr);
        frameTime = std::min(frameTime, Seconds(std::chrono::steady_clock::now() - start) / kFrames);
        start = std::chrono::steady_clock::now();
        for (int i = 0; i < kFrames; ++i) {
            from[static_cast<size_t>(i) % frameBytes] = static_cast<uint8_t>(i);
            std::memcpy(to.data(), from.data(), frameBytes);
        }
        copyTime = std::min(copyTime, Seconds(std::chrono::steady_clock::now() - start) / kFrames);
    }
    // Read what was copied so that the copies cannot be left out.
    volatile uint8_t sink = to[frameBytes - 1];
    (void)sink;

    std::printf("%s: %.1f us for %zu bytes; memcpy of the same bytes: %.1f us; ratio %.2f (goal <= %g)\n", name,
                frameTime * 1e6, frameBytes, copyTime * 1e6, frameTime / copyTime, goal);
}

void Count(size_t* bytes, size_t n)
{
    if (bytes)
        *bytes += n;
}

} // namespace

int main()
{
    // The toolkit in place but not opened: the screen is the default one.
    platform::testing::InstallWindowSystem();
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
    auto backgroundAndPresent = [&](size_t* bytes, const std::function<void()>& cards) {
        back->BltFast(0, 0, background, nullptr, DDBLTFAST_WAIT);
        cards();
        primary->Blt(&client, back, nullptr, DDBLT_WAIT, nullptr);
        Count(bytes, (540 * 400 + kClientW * kClientH) * 4);
    };

    Measure("board at rest", [&](size_t* bytes) {
        backgroundAndPresent(bytes, [&] {
            for (int i = 0; i < 12; ++i) {
                const int x = 8 + (i % 4) * 134, y = 8 + (i / 4) * 132;
                if (i % 3 == 0) {
                    // A card mid-turn: its back squeezed into the middle half of its height.
                    RECT src{0, 128, 128, 256}, dst{x, y + 32, x + 128, y + 96};
                    back->Blt(&dst, backs, &src, DDBLT_WAIT, nullptr);
                    Count(bytes, 128 * 64 * 4);
                } else {
                    RECT src{0, 128 * (i % 6), 128, 128 * (i % 6) + 128};
                    back->BltFast(x, y, faces, &src, DDBLTFAST_WAIT);
                    Count(bytes, 128 * 128 * 4);
                }
            }
        });
    }, 3);

    // The present alone: a frame the window already shows against one that differs in every
    // pixel, the two back buffers taken in turns.
    IDirectDrawSurface* other = Make(dd, kClientW, kClientH, DDSCAPS_OFFSCREENPLAIN | DDSCAPS_VIDEOMEMORY);
    DDBLTFX fx{};
    fx.dwSize = sizeof(fx);
    fx.dwFillColor = 0x123456;
    other->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
    primary->Blt(&client, back, nullptr, DDBLT_WAIT, nullptr);
    double unchanged = 1e9, full = 1e9;
    for (int batch = 0; batch < kBatches; ++batch) {
        auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kFrames; ++i)
            primary->Blt(&client, back, nullptr, DDBLT_WAIT, nullptr);
        unchanged = std::min(unchanged, Seconds(std::chrono::steady_clock::now() - start) / kFrames);
        start = std::chrono::steady_clock::now();
        for (int i = 0; i < kFrames; ++i)
            primary->Blt(&client, i % 2 ? back : other, nullptr, DDBLT_WAIT, nullptr);
        full = std::min(full, Seconds(std::chrono::steady_clock::now() - start) / kFrames);
    }
    std::printf("present with nothing changed: %.1f us; present of a full frame: %.1f us; ratio %.2f\n",
                unchanged * 1e6, full * 1e6, unchanged / full);
    other->Release();

    // The game's cards on a main window that only lends them its surfaces.
    auto win = std::make_unique<MemWin>();
    win->m_pBackBuffer = back;
    win->m_pFacesSurface = faces;
    win->m_pBacksSurface = backs;
    std::vector<std::unique_ptr<Card>> cards;
    // Every turn effect, each held in a closing or an opening phase.
    const float aTimes[] = {0.3f, 0.6f, 0.9f, 1.7f, 2.0f, 2.3f};
    for (int i = 0; i < 12; ++i) {
        cards.push_back(std::make_unique<Card>(win.get()));
        cards[i]->m_nValue = i % 6;
        cards[i]->m_nState = CARD_TURN_UP_VERTICAL + i % 10;
        cards[i]->m_fTime = aTimes[i % 6];
    }
    Measure("board in motion", [&](size_t* bytes) {
        backgroundAndPresent(bytes, [&] {
            float fElapsed = 0.0f; // held mid-effect
            for (int i = 0; i < 12; ++i) {
                Card& card = *cards[i];
                card.SetPos(8 + (i % 4) * 131, 5 + (i / 4) * 131);
                card.Animate(&fElapsed);
                card.Draw();
                const RECT& r = card.m_rcDst;
                Count(bytes, static_cast<size_t>(r.right - r.left) * (r.bottom - r.top) * 4);
            }
        });
    }, 2);
    cards.clear();
    win->m_pBackBuffer = NULL;
    win->m_pFacesSurface = NULL;
    win->m_pBacksSurface = NULL;
    win.reset();

    for (IUnknown* u : {static_cast<IUnknown*>(back), static_cast<IUnknown*>(background),
                        static_cast<IUnknown*>(faces), static_cast<IUnknown*>(backs),
                        static_cast<IUnknown*>(primary), static_cast<IUnknown*>(clipper),
                        static_cast<IUnknown*>(dd)})
        u->Release();
    platform::testing::UseFakeWindow(nullptr);
    return 0;
}
