// The six card faces. Each has its own panel colour and one big, simple picture, so
// that a pair is found by colour and shape alone, also at half size.
#include "Artwork.h"
#include "CardStock.h"

namespace assetgen {
namespace {

void drawSun(Canvas& c)
{
    printPanel(c, hex(0xFFF7CF), hex(0xFFB547), hex(0xC77A12));
    const Vec2 o{64, 64};
    const std::vector<Vec2> points = starPoints(o, 12, 50, 29, -kPi / 2);
    const auto rays = [&](Vec2 p) { return sdPolygon(p, points); };
    figure(c, rays, radial(o, 50, hex(0xFFB000), hex(0xFF5A0A)), hex(0xB8400A), 1.8);
    const auto disc = [&](Vec2 p) { return sdCircle(p, o, 29); };
    figure(c, disc, radial({58, 56}, 34, hex(0xFFF59A), hex(0xFFB81C)), hex(0xD06A00), 2.0);
    // A friendly face.
    const Rgb ink = hex(0x6B2C00);
    c.fill([&](Vec2 p) { return sdEllipse(p, {54, 58}, 3.2, 4.2); }, ink);
    c.fill([&](Vec2 p) { return sdEllipse(p, {74, 58}, 3.2, 4.2); }, ink);
    c.fill([&](Vec2 p) { return sdCircle(p, {55, 56.5}, 1.1); }, hex(0xFFFFFF));
    c.fill([&](Vec2 p) { return sdCircle(p, {75, 56.5}, 1.1); }, hex(0xFFFFFF));
    const auto smile = [&](Vec2 p) {
        return opIntersect(std::abs(sdCircle(p, {64, 62}, 12)) - 1.7, 70 - p.y);
    };
    c.fill(smile, ink);
    c.soft([&](Vec2 p) { return sdCircle(p, {47, 69}, 3.5); }, 3, hex(0xFF6A5A), 0.55);
    c.soft([&](Vec2 p) { return sdCircle(p, {81, 69}, 3.5); }, 3, hex(0xFF6A5A), 0.55);
}

void drawMoon(Canvas& c)
{
    printPanel(c, hex(0x34449C), hex(0x0D1240), hex(0x070A26));
    // Scattered tiny stars in the night sky.
    const Vec2 dots[] = {{24, 26}, {40, 18}, {104, 26}, {22, 76}, {30, 106}, {108, 106}, {88, 112}, {112, 64}};
    for (Vec2 d : dots) c.fill([&](Vec2 p) { return sdCircle(p, d, 1.3); }, hex(0xFFF3C4), 0.9);
    const auto moon = [](Vec2 p) {
        return opSubtract(sdCircle(p, {58, 66}, 36), sdCircle(p, {78, 54}, 30));
    };
    c.soft(moon, 9, hex(0xFFE27A), 0.35);
    c.fill(moon, radial({40, 74}, 44, hex(0xFFF8C8), hex(0xF0BE3A)));
    c.stroke(moon, 1.8, hex(0xB07A12));
    // A sleeping face on the moon's inner side: closed eye, rosy cheek, small smile.
    const Rgb ink = hex(0x7A4A08);
    c.fill([](Vec2 p) { return opIntersect(std::abs(sdCircle(p, {37, 58}, 5.5)) - 1.3, 58 - p.y); }, ink);
    c.soft([](Vec2 p) { return sdCircle(p, {31, 70}, 3); }, 3, hex(0xFF8A6A), 0.5);
    c.fill([](Vec2 p) { return opIntersect(std::abs(sdCircle(p, {41, 75}, 4)) - 1.2, 76 - p.y); }, ink);
    const struct { Vec2 c; double r; } stars[] = {{{92, 44}, 12}, {{100, 82}, 8}, {{76, 100}, 6}};
    for (const auto& s : stars) {
        const std::vector<Vec2> points = starPoints(s.c, 5, s.r, s.r * 0.45, -kPi / 2);
        const auto star = [&](Vec2 p) { return sdPolygon(p, points); };
        c.soft(star, 4, hex(0xFFF0A0), 0.4);
        c.fill(star, radial(s.c, s.r, hex(0xFFFBE0), hex(0xFFD23C)));
        c.stroke(star, 1.2, hex(0xB07A12));
    }
}

void drawHeart(Canvas& c)
{
    printPanel(c, hex(0xFFF0F3), hex(0xFF97B4), hex(0xC8406A));
    const auto heart = [](Vec2 p) { return sdHeart(p, {64, 66}, 84); };
    figure(c, heart, linear({40, 30}, hex(0xFF5C72), {80, 108}, hex(0xC8102E)), hex(0x7A0A1C), 2.2);
    // Gloss on the left lobe.
    c.fill([](Vec2 p) { return sdEllipse(p, {44, 44}, 11, 6, -0.75); }, hex(0xFFFFFF), 0.55);
    c.fill([](Vec2 p) { return sdCircle(p, {56, 36}, 2.6); }, hex(0xFFFFFF), 0.7);
    c.fill(sparkle({102, 26}, 9), hex(0xFFFFFF), 0.95);
    c.fill(sparkle({24, 100}, 7), hex(0xFFFFFF), 0.95);
    c.fill(sparkle({106, 104}, 5), hex(0xFFFFFF), 0.95);
}

void drawTree(Canvas& c)
{
    printPanel(c, hex(0xF3FCE0), hex(0xA9DB7A), hex(0x4E8F2A));
    c.clip({9, 9, kCard - 9, kCard - 9});
    const auto hill = [](Vec2 p) { return opIntersect(sdEllipse(p, {64, 134}, 74, 30), panelShape(p)); };
    c.fill(hill, linear({64, 104}, hex(0x7ED14A), {64, 126}, hex(0x4A9E2A)));
    c.unclip();
    const auto trunk = [](Vec2 p) {
        return sdPolygon(p, {{58, 64}, {70, 64}, {73, 110}, {55, 110}});
    };
    figure(c, trunk, linear({55, 0}, hex(0xA8703A), {73, 0}, hex(0x6E4218)), hex(0x4A2A0E), 1.6);
    const auto crown = [](Vec2 p) {
        double d = sdCircle(p, {64, 42}, 25);
        d = opSmoothUnion(d, sdCircle(p, {42, 58}, 19), 4);
        d = opSmoothUnion(d, sdCircle(p, {86, 58}, 19), 4);
        d = opSmoothUnion(d, sdCircle(p, {53, 72}, 16), 4);
        d = opSmoothUnion(d, sdCircle(p, {75, 72}, 16), 4);
        return d;
    };
    figure(c, crown, radial({54, 36}, 56, hex(0x7FE05A), hex(0x1E8A32)), hex(0x145C22), 2.0);
    // Leaf highlights and a few apples.
    c.fill([](Vec2 p) { return sdEllipse(p, {54, 30}, 8, 4.5, -0.5); }, hex(0xC8F5A0), 0.6);
    const Vec2 apples[] = {{46, 52}, {78, 40}, {86, 66}, {60, 66}, {40, 70}};
    for (Vec2 a : apples) {
        const auto apple = [&](Vec2 p) { return sdCircle(p, a, 4.6); };
        c.fill(apple, radial(a - Vec2{1.5, 1.5}, 6, hex(0xFF6A5A), hex(0xD0141E)));
        c.stroke(apple, 1.0, hex(0x7A0A10));
        c.fill([&](Vec2 p) { return sdCircle(p, a - Vec2{1.6, 1.6}, 1.1); }, hex(0xFFFFFF), 0.8);
    }
}

void drawFish(Canvas& c)
{
    printPanel(c, hex(0xD8F6FF), hex(0x3E9DE8), hex(0x1C5E9E));
    const auto body = [](Vec2 p) { return sdEllipse(p, {56, 66}, 36, 25); };
    const auto tail = [](Vec2 p) {
        return opSubtract(sdPolygon(p, {{84, 66}, {114, 42}, {108, 66}, {114, 90}}), sdCircle(p, {122, 66}, 9));
    };
    const auto fin = [](Vec2 p) { return sdPolygon(p, {{40, 46}, {56, 28}, {74, 32}, {72, 46}}); };
    const auto belly = [](Vec2 p) { return sdPolygon(p, {{50, 86}, {60, 100}, {70, 86}}); };
    const Paint orange = linear({56, 42}, hex(0xFFB03A), {56, 92}, hex(0xF05A00));
    const Rgb line = hex(0x7A2A00);
    for (const Sdf& part : {Sdf(tail), Sdf(fin), Sdf(belly)}) figure(c, part, orange, line, 1.8);
    figure(c, body, orange, line, 2.0);
    // White bands edged in black, kept inside the body.
    const auto band = [&](double x0, double w) {
        return [=](Vec2 p) { return opIntersect(body(p), std::abs(p.x - x0 - 0.2 * (p.y - 66)) - w); };
    };
    for (const Sdf& b : {Sdf(band(44, 5)), Sdf(band(68, 4.5))}) {
        c.fill(b, hex(0xFFFFFF));
        c.fill([&](Vec2 p) { return opIntersect(std::abs(b(p)) - 1.1, body(p)); }, hex(0x222222));
    }
    c.stroke(body, 2.0, line);
    // Eye, smile and gloss.
    c.fill([](Vec2 p) { return sdCircle(p, {32, 60}, 6.5); }, hex(0xFFFFFF));
    c.stroke([](Vec2 p) { return sdCircle(p, {32, 60}, 6.5); }, 1.4, hex(0x222222));
    c.fill([](Vec2 p) { return sdCircle(p, {30.5, 60.5}, 3.4); }, hex(0x111111));
    c.fill([](Vec2 p) { return sdCircle(p, {29.5, 59}, 1.1); }, hex(0xFFFFFF));
    c.fill([](Vec2 p) { return opIntersect(std::abs(sdCircle(p, {28, 68}, 6)) - 1.1, 70 - p.y); }, line);
    // Bubbles rising ahead of the fish.
    const struct { Vec2 c; double r; } bubbles[] = {{{22, 36}, 6}, {{34, 20}, 4}, {{20, 16}, 2.6}};
    for (const auto& b : bubbles) {
        const auto bubble = [&](Vec2 p) { return sdCircle(p, b.c, b.r); };
        c.fill(bubble, hex(0xFFFFFF), 0.35);
        c.stroke(bubble, 1.3, hex(0xFFFFFF), 0.95);
        c.fill([&](Vec2 p) { return sdCircle(p, b.c - Vec2{b.r * 0.4, b.r * 0.4}, b.r * 0.25); }, hex(0xFFFFFF));
    }
}

void drawFlower(Canvas& c)
{
    printPanel(c, hex(0xFBF4FF), hex(0xC9A2F2), hex(0x7A4AB8));
    const Rgb leafLine = hex(0x1E6B24);
    const auto stem = [](Vec2 p) { return sdSegment(p, {64, 70}, {64, 114}, 3); };
    figure(c, stem, solid(hex(0x3FA63A)), leafLine, 1.4);
    const auto leafL = [](Vec2 p) { return sdEllipse(p, {49, 98}, 14, 6, 0.55); };
    const auto leafR = [](Vec2 p) { return sdEllipse(p, {79, 92}, 14, 6, -0.55); };
    for (const Sdf& leaf : {Sdf(leafL), Sdf(leafR)})
        figure(c, leaf, linear({0, 84}, hex(0x7FD65A), {0, 108}, hex(0x2E8A2E)), leafLine, 1.4);
    const Vec2 o{64, 50};
    const auto petals = [&](Vec2 p) {
        double d = 1e9;
        for (int i = 0; i < 8; ++i) {
            const double a = i * kPi / 4 + kPi / 8;
            const Vec2 pc = o + Vec2{std::cos(a), std::sin(a)} * 22;
            d = opUnion(d, sdEllipse(p, pc, 15, 9.5, a));
        }
        return d;
    };
    figure(c, petals, radial(o, 40, hex(0xF6C8FF), hex(0x9A2FD6)), hex(0x561A86), 1.8);
    // Petal veins.
    c.fill([&](Vec2 p) {
        double d = 1e9;
        for (int i = 0; i < 8; ++i) {
            const double a = i * kPi / 4 + kPi / 8;
            d = opUnion(d, sdSegment(p, o + Vec2{std::cos(a), std::sin(a)} * 16, o + Vec2{std::cos(a), std::sin(a)} * 31, 0.7));
        }
        return d;
    }, hex(0x6A1FA0), 0.5);
    const auto heart = [&](Vec2 p) { return sdCircle(p, o, 12); };
    figure(c, heart, radial(o - Vec2{3, 3}, 15, hex(0xFFF27A), hex(0xF0A000)), hex(0xA05A00), 1.6);
    for (int i = 0; i < 7; ++i) {
        const double a = i * 2 * kPi / 7;
        const Vec2 d = o + Vec2{std::cos(a), std::sin(a)} * 6.5;
        c.fill([&](Vec2 p) { return sdCircle(p, d, 1.3); }, hex(0xB06000), 0.8);
    }
}

} // namespace

Canvas drawFaces()
{
    void (*const painters[kFaces])(Canvas&) = {drawSun, drawMoon, drawHeart, drawTree, drawFish, drawFlower};
    Canvas sheet(kCard, kCard * kFaces);
    for (int v = 0; v < kFaces; ++v) {
        Canvas card = cardStock();
        painters[v](card);
        sheet.paste(card, 0, v * kCard);
    }
    return sheet;
}

} // namespace assetgen
