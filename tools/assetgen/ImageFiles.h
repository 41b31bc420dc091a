// The picture files of the program: 24-bit bitmaps, the palette and the icon.
#pragma once
#include "Bytes.h"
#include "Canvas.h"

#include <vector>

namespace assetgen {

// A BMP file: 24 bits per pixel, uncompressed, rows bottom-up and padded to four bytes.
Bytes bitmapFile(const Canvas& image);

// 256 colour entries of blue, green, red and a zero byte. Entries 0 to 9 and 246 to 255
// hold the system's static colours; 10 to 245 the colours that best cover the pictures.
Bytes paletteFile(const std::vector<const Canvas*>& pictures);

struct IconImage {
    const Canvas* colour;
    const std::vector<double>* alpha;
};
// An icon file holding each image as a 32-bit bitmap with its transparency mask.
Bytes iconFile(const std::vector<IconImage>& images);

} // namespace assetgen
