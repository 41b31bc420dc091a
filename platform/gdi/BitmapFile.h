// Reading device-independent bitmaps: .bmp files and the DIBs that bitmap resources
// hold (the file without its 14-byte header). 8-bit (with colour table), 24-bit and
// 32-bit images, bottom-up or top-down. Anything else, or data that is truncated,
// inconsistent or larger than we accept, gives false; nothing outside the data is read.
// Running out of memory throws std::bad_alloc, for the caller to report as such.
#pragma once
#include "gdi/GdiObjects.h"

#include <cstddef>
#include <cstdint>

namespace platform::gdi {

// Images beyond these sizes are refused rather than allocated.
constexpr int kMaxBitmapSide = 16384;
constexpr uint64_t kMaxBitmapPixels = 1ull << 26;

bool ReadBmpFile(const uint8_t* data, size_t size, Image* out);
bool ReadDib(const uint8_t* data, size_t size, Image* out);

// Nearest-neighbour resize (LoadImage's wanted size); false when the size is refused.
bool ResizeImage(const Image& in, int width, int height, Image* out);

} // namespace platform::gdi
