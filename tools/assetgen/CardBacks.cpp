// The card back sheet: the plain back, the lighter back under the mouse, the back with a
// glint across it, and the strips that show a turning card edge-on.
#include "Artwork.h"
#include "CardStock.h"

#include <cmath>

namespace assetgen {
namespace {

struct BackColours {
    Rgb inner, outer, lattice, gold, goldLight, goldDark;
};

const BackColours kPlain{hex(0xB3192E), hex(0x55060F), hex(0xE2B455), hex(0xE0B04A), hex(0xFFF0B0), hex(0x8A5A10)};
const BackColours kLit{hex(0xF04A5C), hex(0x9A1626), hex(0xFFD77A), hex(0xFFD065), hex(0xFFFFE0), hex(0xA8701A)};

// Distance to a diamond lattice of lines at +-45 degrees, spacing s, centred on the card.
double lattice(Vec2 p, double s)
{
    const double u = (p.x - 64 + p.y - 64) / std::sqrt(2.0) + s / 2, v = (p.x - 64 - p.y + 64) / std::sqrt(2.0) + s / 2;
    const auto line = [s](double t) {
        const double m = t - s * std::floor(t / s);
        return std::min(m, s - m);
    };
    return std::min(line(u), line(v));
}

Canvas drawBack(const BackColours& k)
{
    Canvas c = cardStock();
    printPanel(c, k.inner, k.outer, k.goldDark);
    const Vec2 o{64, 64};
    // The lattice and its crossing dots, printed only on the panel.
    c.fill([](Vec2 p) { return opIntersect(lattice(p, 13) - 0.55, panelShape(p) + 2); }, k.lattice, 0.45);
    c.fill([](Vec2 p) {
        const double s = 13 / std::sqrt(2.0);
        const Vec2 q{p.x - 64 - s * std::round((p.x - 64) / s), p.y - 64 - s * std::round((p.y - 64) / s)};
        const bool crossing = static_cast<long>(std::lround((p.x - 64) / s) + std::lround((p.y - 64) / s)) % 2 == 0;
        return opIntersect(crossing ? length(q) - 1.4 : 1e9, panelShape(p) + 3);
    }, k.goldLight, 0.7);
    // Double gold frame inside the panel.
    const auto frame = [](Vec2 p) { return sdRoundBox(p, {64, 64}, {48, 48}, 7); };
    c.stroke(frame, 2.6, k.goldDark);
    c.stroke(frame, 1.4, k.gold);
    c.stroke([](Vec2 p) { return sdRoundBox(p, {64, 64}, {44.5, 44.5}, 5); }, 0.9, k.gold, 0.8);
    // Corner flourishes: small diamonds on the frame's corners.
    for (Vec2 corner : {Vec2{20, 20}, Vec2{108, 20}, Vec2{20, 108}, Vec2{108, 108}}) {
        const auto diamond = [corner](Vec2 p) {
            return (std::abs(p.x - corner.x) + std::abs(p.y - corner.y) - 6) / std::sqrt(2.0);
        };
        c.fill(diamond, radial(corner - Vec2{1.5, 1.5}, 7, k.goldLight, k.gold));
        c.stroke(diamond, 1.0, k.goldDark);
    }
    // The medallion: a dark disc in a gold ring carrying an eight-pointed star.
    const auto disc = [o](Vec2 p) { return sdCircle(p, o, 26); };
    dropShadow(c, disc, 0.35);
    c.fill(disc, radial(o, 26, k.inner, darken(k.outer, 0.2)));
    c.stroke([o](Vec2 p) { return sdCircle(p, o, 24.5); }, 4.0, k.goldDark);
    c.stroke([o](Vec2 p) { return sdCircle(p, o, 24.5); }, 2.4, k.gold);
    const std::vector<Vec2> big = starPoints(o, 4, 21, 6.5, -kPi / 2);
    const std::vector<Vec2> small = starPoints(o, 4, 14, 5, -kPi / 4);
    const auto starBig = [&](Vec2 p) { return sdPolygon(p, big); };
    const auto starSmall = [&](Vec2 p) { return sdPolygon(p, small); };
    c.fill(starSmall, radial(o, 14, k.goldLight, k.gold));
    c.stroke(starSmall, 1.0, k.goldDark);
    c.fill(starBig, radial(o - Vec2{3, 3}, 22, k.goldLight, k.gold));
    c.stroke(starBig, 1.1, k.goldDark);
    c.fill([o](Vec2 p) { return sdCircle(p, o, 3.2); }, k.inner);
    c.stroke([o](Vec2 p) { return sdCircle(p, o, 3.2); }, 1.0, k.goldDark);
    // A faint sheen over the top left of the whole card.
    c.shade([](Vec2 p, Rgb d) { return lighten(d, 0.10 * clamp01(1 - (p.x + p.y) / 150)); });
    return c;
}

// The lit back with a bright streak running across it and sparkles on the streak.
Canvas drawShimmer()
{
    Canvas c = drawBack(kLit);
    const Vec2 dir{std::cos(-0.9), std::sin(-0.9)};
    const Vec2 across{-dir.y, dir.x};
    const auto streak = [&](Vec2 p, double offset, double width) {
        const double d = dot(p - Vec2{64, 64}, across) - offset;
        return std::exp(-d * d / (2 * width * width));
    };
    c.shade([&](Vec2 p, Rgb d) {
        const double inside = clamp01(-sdRoundBox(p, {64, 64}, {63, 63}, 3));
        const double glow = 0.80 * streak(p, -4, 7) + 0.45 * streak(p, 16, 2.5) + 0.18 * streak(p, -4, 22);
        return lighten(d, clamp01(glow) * inside);
    });
    c.fill(sparkle({46, 38}, 11), hex(0xFFFFFF));
    c.fill(sparkle({84, 88}, 7), hex(0xFFFFFF), 0.9);
    c.soft([](Vec2 p) { return sdCircle(p, {46, 38}, 2); }, 4, hex(0xFFFFFF), 0.8);
    return c;
}

// The card seen edge-on: cream stock, bright on its upper side and shaded on its lower,
// between dark cut lines, with a gloss toward the middle of its length.
Rgb edgeColour(double across, double along)
{
    const Rgb cut = hex(0x3B2E22);
    if (across < 1 || across >= kEdge - 1 || along < 1 || along >= kCard - 1) return cut;
    const double t = (across - 1) / (kEdge - 3);
    Rgb c = t < 0.4 ? mixRgb(hex(0xFFFDF4), hex(0xF1E2BE), t / 0.4) : mixRgb(hex(0xF1E2BE), hex(0xA58552), (t - 0.4) / 0.6);
    const double m = (along - kCard / 2.0) / (kCard / 2.0);
    c = lighten(c, 0.25 * std::exp(-m * m * 6) * (1 - t));
    return darken(c, 0.25 * m * m);
}

Canvas drawEdges()
{
    Canvas c(kCard, kCard, edgeColour(3, kCard / 2.0));
    for (int y = 0; y < kCard; ++y)
        for (int x = 0; x < kCard; ++x) {
            const bool horizontal = y < kEdge, vertical = x < kEdge;
            if (horizontal && vertical)
                c.at(x, y) = mixRgb(edgeColour(y, x), edgeColour(x, y), 0.5);
            else if (horizontal)
                c.at(x, y) = edgeColour(y, x);
            else if (vertical)
                c.at(x, y) = edgeColour(x, y);
        }
    return c;
}

} // namespace

Canvas drawBacks()
{
    Canvas sheet(kCard, kCard * kBackFrames);
    sheet.paste(drawBack(kPlain), 0, 0);
    sheet.paste(drawBack(kLit), 0, kCard);
    sheet.paste(drawShimmer(), 0, 2 * kCard);
    sheet.paste(drawEdges(), 0, 3 * kCard);
    return sheet;
}

} // namespace assetgen
