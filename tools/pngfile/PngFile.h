// PNG pictures for people to look at: the asset generator's contact sheet and the
// film strips that tests write. Nothing the game reads is a PNG.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace pngfile {

// Writes a width by height PNG whose pixel (x, y) is pixel(x, y) as 0xRRGGBB.
// False when the file cannot be written.
bool WritePng(const std::string& path, int width, int height, const std::function<uint32_t(int x, int y)>& pixel);

} // namespace pngfile
