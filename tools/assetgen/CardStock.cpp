#include "CardStock.h"

#include "Artwork.h"

namespace assetgen {

Canvas cardStock()
{
    Canvas card(kCard, kCard);
    const Rgb top = hex(0xFFFBF1), bottom = hex(0xEDE2C8);
    card.shade([&](Vec2 p, Rgb) { return mixRgb(top, bottom, clamp01((p.x * 0.35 + p.y) / (kCard * 1.35))); });
    const auto outline = [](Vec2 p) { return sdRoundBox(p, {64, 64}, {64, 64}, 3); };
    // A bright bevel just inside the cut edge, then the edge itself.
    card.stroke([&](Vec2 p) { return outline(p) + 2.0; }, 1.2, hex(0xFFFFFF), 0.8);
    card.stroke([&](Vec2 p) { return outline(p) + 0.5; }, 1.4, hex(0x3B2E22));
    return card;
}

double panelShape(Vec2 p)
{
    const double half = kCard / 2.0 - kPanelInset;
    return sdRoundBox(p, {kCard / 2.0, kCard / 2.0}, {half, half}, kPanelRadius);
}

void printPanel(Canvas& card, Rgb inner, Rgb outer, Rgb line)
{
    const Paint base = radial({kCard / 2.0, kCard / 2.0 - 6}, 80, inner, outer);
    const Rgb shadow = darken(outer, 0.45);
    card.fill(panelShape, [&](Vec2 p) {
        const double edge = 1 - smoothstep(0, 6, -panelShape(p));
        return mixRgb(base(p), shadow, 0.45 * edge);
    });
    card.stroke(panelShape, 1.8, line);
}

void dropShadow(Canvas& card, const Sdf& shape, double opacity)
{
    card.soft([&](Vec2 p) { return shape(p - Vec2{1.5, 2.5}); }, 2.5, hex(0x000000), opacity);
}

void figure(Canvas& card, const Sdf& shape, const Paint& body, Rgb line, double lineWidth)
{
    dropShadow(card, shape);
    card.fill(shape, body);
    card.stroke(shape, lineWidth, line);
}

Sdf sparkle(Vec2 centre, double r)
{
    const std::vector<Vec2> v = starPoints(centre, 4, r, r * 0.28, -kPi / 2);
    return [v](Vec2 p) { return sdPolygon(p, v); };
}

} // namespace assetgen
