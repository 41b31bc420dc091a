// The program icon: a red-backed card with a heart card laid across it, drawn at each
// size rather than scaled, so the small one stays crisp.
#include "Artwork.h"

namespace assetgen {

Canvas drawIcon(int size, std::vector<double>* alpha)
{
    const double s = size / 32.0;
    const Rgb cut = hex(0x3B2E22);
    Canvas c(size, size, cut);
    const auto card = [s](Vec2 p, Vec2 centre, double angle) {
        const Vec2 q = centre * s + rotate(p - centre * s, -angle);
        return sdRoundBox(q, centre * s, Vec2{9.5, 13} * s, 2 * s);
    };
    const auto back = [&](Vec2 p) { return card(p, {12, 15}, -0.30); };
    const auto front = [&](Vec2 p) { return card(p, {20, 17}, 0.22); };
    // The back card: a gold-edged red panel.
    c.fill(back, hex(0xF3E7CB));
    c.fill([&](Vec2 p) { return back(p) + 2.2 * s; }, radial(Vec2{10, 12} * s, 14 * s, hex(0xD02638), hex(0x6A0814)));
    c.stroke([&](Vec2 p) { return back(p) + 2.2 * s; }, std::max(1.0, 1.0 * s), hex(0xE0B04A));
    c.stroke(back, std::max(1.0, 0.9 * s), cut);
    // The face card with its heart.
    c.soft([&](Vec2 p) { return front(p - Vec2{1, 1.5} * s); }, 1.5 * s, hex(0x000000), 0.45);
    c.fill(front, linear(Vec2{14, 6} * s, hex(0xFFFDF5), Vec2{26, 30} * s, hex(0xEBDDBE)));
    c.stroke(front, std::max(1.0, 0.9 * s), cut);
    const auto heart = [&](Vec2 p) {
        const Vec2 centre = Vec2{20, 17} * s;
        return sdHeart(centre + rotate(p - centre, -0.22), centre, 12.5 * s);
    };
    c.fill(heart, linear(Vec2{16, 11} * s, hex(0xFF5C72), Vec2{22, 24} * s, hex(0xC8102E)));
    if (size >= 32) c.stroke(heart, 1.0, hex(0x7A0A1C));
    // Coverage of the two cards: the icon is transparent around them.
    alpha->assign(static_cast<size_t>(size) * size, 0.0);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const Vec2 p{x + 0.5, y + 0.5};
            (*alpha)[static_cast<size_t>(y) * size + x] = clamp01(0.5 - std::min(back(p), front(p)));
        }
    return c;
}

} // namespace assetgen
