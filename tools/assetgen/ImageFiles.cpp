#include "ImageFiles.h"

#include <algorithm>
#include <array>

namespace assetgen {

Bytes bitmapFile(const Canvas& image)
{
    const uint32_t rowBytes = (image.width() * 3 + 3) & ~3u;
    const uint32_t pixelBytes = rowBytes * image.height();
    Bytes b;
    // BITMAPFILEHEADER
    b.text("BM");
    b.u32le(14 + 40 + pixelBytes);
    b.u16le(0), b.u16le(0);
    b.u32le(14 + 40);
    // BITMAPINFOHEADER
    b.u32le(40);
    b.u32le(image.width()), b.u32le(image.height());
    b.u16le(1), b.u16le(24);
    b.u32le(0), b.u32le(pixelBytes);
    b.u32le(2835), b.u32le(2835); // 72 dots per inch
    b.u32le(0), b.u32le(0);
    for (int y = image.height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.width(); ++x) {
            const Rgb& c = image.at(x, y);
            b.u8(Canvas::toByte(c.b)), b.u8(Canvas::toByte(c.g)), b.u8(Canvas::toByte(c.r));
        }
        for (uint32_t pad = image.width() * 3; pad < rowBytes; ++pad) b.u8(0);
    }
    return b;
}

namespace {

struct Colour {
    std::array<int, 3> rgb;
    uint32_t count;
};

// Median cut: the box that holds the most pixels times its widest spread is split at
// the pixel median of that spread, until there are as many boxes as colours wanted.
std::vector<std::array<int, 3>> medianCut(std::vector<Colour> colours, size_t wanted)
{
    struct Range {
        size_t begin, end;
    };
    const auto spread = [&](Range r, int* axis) {
        int best = -1;
        for (int a = 0; a < 3; ++a) {
            int lo = 255, hi = 0;
            for (size_t i = r.begin; i < r.end; ++i) lo = std::min(lo, colours[i].rgb[a]), hi = std::max(hi, colours[i].rgb[a]);
            if (hi - lo > best) best = hi - lo, *axis = a;
        }
        return best;
    };
    const auto pixels = [&](Range r) {
        uint64_t n = 0;
        for (size_t i = r.begin; i < r.end; ++i) n += colours[i].count;
        return n;
    };
    std::vector<Range> boxes{{0, colours.size()}};
    while (boxes.size() < wanted) {
        size_t pick = boxes.size();
        uint64_t bestScore = 0;
        int axis = 0;
        for (size_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i].end - boxes[i].begin < 2) continue;
            int a = 0;
            const uint64_t score = pixels(boxes[i]) * static_cast<uint64_t>(spread(boxes[i], &a));
            if (score > bestScore) bestScore = score, pick = i, axis = a;
        }
        if (pick == boxes.size()) break;
        const Range r = boxes[pick];
        std::sort(colours.begin() + r.begin, colours.begin() + r.end, [axis](const Colour& a, const Colour& b) {
            return a.rgb[axis] != b.rgb[axis] ? a.rgb[axis] < b.rgb[axis] : a.rgb < b.rgb;
        });
        const uint64_t half = pixels(r) / 2;
        uint64_t seen = 0;
        size_t cut = r.begin + 1;
        for (size_t i = r.begin; i < r.end - 1; ++i) {
            seen += colours[i].count;
            cut = i + 1;
            if (seen >= half) break;
        }
        boxes[pick] = {r.begin, cut};
        boxes.push_back({cut, r.end});
    }
    std::vector<std::array<int, 3>> result;
    for (const Range& r : boxes) {
        uint64_t sum[3] = {0, 0, 0}, n = 0;
        for (size_t i = r.begin; i < r.end; ++i) {
            for (int a = 0; a < 3; ++a) sum[a] += static_cast<uint64_t>(colours[i].rgb[a]) * colours[i].count;
            n += colours[i].count;
        }
        result.push_back({static_cast<int>((sum[0] + n / 2) / n), static_cast<int>((sum[1] + n / 2) / n),
                          static_cast<int>((sum[2] + n / 2) / n)});
    }
    return result;
}

} // namespace

Bytes paletteFile(const std::vector<const Canvas*>& pictures)
{
    std::vector<uint32_t> packed;
    for (const Canvas* p : pictures)
        for (int y = 0; y < p->height(); ++y)
            for (int x = 0; x < p->width(); ++x) {
                const Rgb& c = p->at(x, y);
                packed.push_back(Canvas::toByte(c.r) << 16 | Canvas::toByte(c.g) << 8 | Canvas::toByte(c.b));
            }
    std::sort(packed.begin(), packed.end());
    std::vector<Colour> colours;
    for (uint32_t v : packed) {
        if (!colours.empty() && colours.back().rgb == std::array<int, 3>{int(v >> 16), int(v >> 8 & 0xFF), int(v & 0xFF)})
            ++colours.back().count;
        else
            colours.push_back({{int(v >> 16), int(v >> 8 & 0xFF), int(v & 0xFF)}, 1});
    }
    constexpr int kStatic = 10, kEntries = 256;
    std::vector<std::array<int, 3>> chosen = medianCut(std::move(colours), kEntries - 2 * kStatic);
    for (int g = 0; chosen.size() < kEntries - 2 * kStatic; ++g) chosen.push_back({g, g, g});
    std::sort(chosen.begin(), chosen.end(), [](const auto& a, const auto& b) {
        const int la = 299 * a[0] + 587 * a[1] + 114 * a[2], lb = 299 * b[0] + 587 * b[1] + 114 * b[2];
        return la != lb ? la < lb : a < b;
    });
    // The system's static colours, first ten and last ten.
    static const uint32_t low[kStatic] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080,
                                          0x800080, 0x008080, 0xC0C0C0, 0xC0DCC0, 0xA6CAF0};
    static const uint32_t high[kStatic] = {0xFFFBF0, 0xA0A0A4, 0x808080, 0xFF0000, 0x00FF00,
                                           0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    Bytes b;
    const auto entry = [&b](int r, int g, int bl) { b.u8(bl), b.u8(g), b.u8(r), b.u8(0); };
    for (uint32_t v : low) entry(v >> 16, v >> 8 & 0xFF, v & 0xFF);
    for (const auto& c : chosen) entry(c[0], c[1], c[2]);
    for (uint32_t v : high) entry(v >> 16, v >> 8 & 0xFF, v & 0xFF);
    return b;
}

Bytes iconFile(const std::vector<IconImage>& images)
{
    std::vector<Bytes> bodies;
    for (const IconImage& im : images) {
        const int w = im.colour->width(), h = im.colour->height();
        const uint32_t maskRow = ((w + 31) / 32) * 4;
        Bytes b;
        b.u32le(40);
        b.u32le(w), b.u32le(2 * h); // colour image and mask stacked
        b.u16le(1), b.u16le(32);
        b.u32le(0), b.u32le(w * h * 4 + maskRow * h);
        b.u32le(0), b.u32le(0), b.u32le(0), b.u32le(0);
        const auto alphaAt = [&](int x, int y) { return (*im.alpha)[static_cast<size_t>(y) * w + x]; };
        for (int y = h - 1; y >= 0; --y)
            for (int x = 0; x < w; ++x) {
                const uint8_t a = Canvas::toByte(alphaAt(x, y));
                const Rgb& c = im.colour->at(x, y);
                if (a == 0)
                    b.u32le(0);
                else
                    b.u8(Canvas::toByte(c.b)), b.u8(Canvas::toByte(c.g)), b.u8(Canvas::toByte(c.r)), b.u8(a);
            }
        for (int y = h - 1; y >= 0; --y) {
            std::vector<uint8_t> row(maskRow, 0);
            for (int x = 0; x < w; ++x)
                if (Canvas::toByte(alphaAt(x, y)) == 0) row[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
            b.append(row);
        }
        bodies.push_back(b);
    }
    Bytes f;
    f.u16le(0), f.u16le(1), f.u16le(static_cast<uint32_t>(images.size()));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const int w = images[i].colour->width(), h = images[i].colour->height();
        f.u8(w >= 256 ? 0 : w), f.u8(h >= 256 ? 0 : h), f.u8(0), f.u8(0);
        f.u16le(1), f.u16le(32);
        f.u32le(static_cast<uint32_t>(bodies[i].size())), f.u32le(offset);
        offset += static_cast<uint32_t>(bodies[i].size());
    }
    for (const Bytes& b : bodies) f.append(b);
    return f;
}

} // namespace assetgen
