#include "PngFile.h"

#include <QImage>

namespace pngfile {

bool WritePng(const std::string& path, int width, int height, const std::function<uint32_t(int x, int y)>& pixel)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            row[x] = 0xFF000000u | (pixel(x, y) & 0xFFFFFFu);
    }
    return image.save(QString::fromStdString(path), "PNG");
}

} // namespace pngfile
