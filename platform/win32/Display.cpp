#include "win32/Display.h"

#include "testing/DisplayOverride.h"

#include <optional>

namespace platform {
namespace {
DisplayMode (*g_provider)() = nullptr;
std::optional<DisplayMode> g_override;
} // namespace

DisplayMode CurrentDisplayMode()
{
    if (g_override)
        return *g_override;
    if (g_provider)
        return g_provider();
    return DisplayMode{};
}

void SetDisplayModeProvider(DisplayMode (*provider)()) { g_provider = provider; }

namespace testing {

void OverrideDisplayMode(int width, int height, int bitsPerPixel, int refreshHz)
{
    g_override = DisplayMode{width, height, bitsPerPixel, refreshHz};
}

void ClearDisplayModeOverride() { g_override.reset(); }

} // namespace testing
} // namespace platform
