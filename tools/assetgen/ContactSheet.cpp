// A PNG overview of the pictures for looking at the art: the face sheet, the back sheet,
// the board, and the board with cards on it at full and at half size.
#include "ContactSheet.h"

#include "Artwork.h"

#include "PngFile.h"

namespace assetgen {
namespace {

// Nearest-neighbour stretch of a source rectangle into a destination rectangle, as the
// game's blits do.
void stretch(Canvas& dst, const Canvas& src, Box from, Box to)
{
    for (int y = to.y0; y < to.y1; ++y)
        for (int x = to.x0; x < to.x1; ++x) {
            const int sx = from.x0 + (x - to.x0) * (from.x1 - from.x0) / (to.x1 - to.x0);
            const int sy = from.y0 + (y - to.y0) * (from.y1 - from.y0) / (to.y1 - to.y0);
            if (x >= 0 && y >= 0 && x < dst.width() && y < dst.height()) dst.at(x, y) = src.at(sx, sy);
        }
}

// The board as the game shows it mid-play: faces, backs at rest, under the mouse and
// shimmering, and one card caught in each phase of a turn.
Canvas boardPreview(const Canvas& faces, const Canvas& backs, const Canvas& board)
{
    Canvas c = board;
    const auto frame = [](int f) { return Box{0, f * kCard, kCard, (f + 1) * kCard}; };
    const auto at = [](int col, int row, int l, int t, int r, int b) {
        return Box{kCardColumns[col] + l, kCardRows[row] + t, kCardColumns[col] + r, kCardRows[row] + b};
    };
    stretch(c, faces, frame(0), at(0, 0, 0, 0, 128, 128));
    stretch(c, backs, frame(0), at(1, 0, 0, 0, 128, 128));
    stretch(c, faces, frame(1), at(2, 0, 0, 0, 128, 128));
    stretch(c, backs, frame(1), at(3, 0, 0, 0, 128, 128));
    stretch(c, faces, frame(2), at(0, 1, 0, 0, 128, 128));
    stretch(c, backs, frame(2), at(1, 1, 0, 0, 128, 128));
    stretch(c, faces, frame(3), at(2, 1, 0, 0, 128, 128));
    stretch(c, faces, frame(4), at(3, 1, 0, 0, 128, 128));
    stretch(c, faces, frame(5), at(0, 2, 0, 0, 128, 128));
    stretch(c, backs, frame(1), at(1, 2, 34, 0, 94, 128));                         // closing
    stretch(c, backs, Box{0, 3 * kCard, kEdge, 4 * kCard}, at(2, 2, 60, 0, 68, 128)); // edge-on
    stretch(c, faces, frame(2), at(3, 2, 0, 30, 128, 98));                         // opening
    return c;
}

} // namespace

bool writeContactSheet(const std::string& path, const Canvas& faces, const Canvas& backs, const Canvas& board)
{
    constexpr int kGap = 16;
    const Canvas preview = boardPreview(faces, backs, board);
    Canvas half(kBoardWidth / 2, kBoardHeight / 2);
    stretch(half, preview, {0, 0, kBoardWidth, kBoardHeight}, {0, 0, kBoardWidth / 2, kBoardHeight / 2});

    const int width = kGap + kCard + kGap + kCard + kGap + kBoardWidth + kGap + kBoardWidth + kGap;
    const int height = kGap + std::max(kCard * kFaces, kBoardHeight + kGap + kBoardHeight / 2) + kGap;
    Canvas sheet(width, height, hex(0x3A3A3A));
    int x = kGap;
    sheet.paste(faces, x, kGap);
    x += kCard + kGap;
    sheet.paste(backs, x, kGap);
    x += kCard + kGap;
    sheet.paste(board, x, kGap);
    sheet.paste(half, x, kGap + kBoardHeight + kGap);
    x += kBoardWidth + kGap;
    sheet.paste(preview, x, kGap);
    return pngfile::WritePng(path, sheet.width(), sheet.height(), [&](int px, int py) {
        const Rgb& p = sheet.at(px, py);
        return uint32_t(Canvas::toByte(p.r)) << 16 | uint32_t(Canvas::toByte(p.g)) << 8 | Canvas::toByte(p.b);
    });
}

} // namespace assetgen
