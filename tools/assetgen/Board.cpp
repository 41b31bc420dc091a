// The board: a sheet of crumpled teal foil. Facets of two sizes catch a light from the
// top left; the spots where the cards lie carry a soft shadow so the cards seem to rest on it.
#include "Artwork.h"
#include "Random.h"

#include <cmath>

namespace assetgen {
namespace {

// The slope of a crumpled sheet: a grid of triangles whose corners sit at random heights,
// turned and bent a little so that the grid does not show. Returns the height gradient.
Vec2 crumple(Vec2 p, double size, double angle, uint64_t seed)
{
    const Vec2 warp{std::sin(p.y / 37.0 + seed % 7) * 4.0, std::sin(p.x / 41.0 + seed % 5) * 4.0};
    const Vec2 q = rotate(p + warp, angle) * (1.0 / size);
    const int64_t i = static_cast<int64_t>(std::floor(q.x)), j = static_cast<int64_t>(std::floor(q.y));
    const double fx = q.x - i, fy = q.y - j;
    const auto h = [&](int64_t a, int64_t b) { return hash01(a, b, seed); };
    const double h00 = h(i, j), h10 = h(i + 1, j), h01 = h(i, j + 1), h11 = h(i + 1, j + 1);
    Vec2 g;
    if (hash01(i, j, seed + 1) < 0.5) {
        // Diagonal from (0,0) to (1,1).
        g = fx > fy ? Vec2{h10 - h00, h11 - h10} : Vec2{h11 - h01, h01 - h00};
    } else {
        // Diagonal from (1,0) to (0,1).
        g = fx + fy < 1 ? Vec2{h10 - h00, h01 - h00} : Vec2{h11 - h01, h11 - h10};
    }
    // Back from the turned grid to the board, per pixel.
    return rotate(g, -angle) * (1.0 / size);
}

// Metallic teal from deep shadow to a bright, slightly warm highlight.
Rgb foilRamp(double s)
{
    static const struct { double at; uint32_t colour; } stops[] = {
        {0.00, 0x041A1F}, {0.30, 0x0B434C}, {0.55, 0x1C7479}, {0.78, 0x4DB3AE}, {0.92, 0xB5EEE2}, {1.00, 0xFFFFF4}};
    s = clamp01(s);
    for (size_t i = 1; i < std::size(stops); ++i)
        if (s <= stops[i].at)
            return mixRgb(hex(stops[i - 1].colour), hex(stops[i].colour),
                          (s - stops[i - 1].at) / (stops[i].at - stops[i - 1].at));
    return hex(stops[std::size(stops) - 1].colour);
}

} // namespace

Canvas drawBoard()
{
    Canvas c(kBoardWidth, kBoardHeight);
    const double lx = -0.45, ly = -0.60, lz = 0.66; // light from the top left
    c.shade([&](Vec2 p, Rgb) {
        const Vec2 slope = crumple(p, 40, 0.35, 0xF011) * 14.0 + crumple(p, 13, -0.6, 0xF022) * 3.0;
        const double nx = -slope.x, ny = -slope.y, nz = 1;
        const double n = std::sqrt(nx * nx + ny * ny + nz * nz);
        const double diffuse = (nx * lx + ny * ly + nz * lz) / n - lz;
        // Specular about the half vector between the light and a viewer straight above.
        const double hx = lx, hy = ly, hz = lz + 1, h = std::sqrt(hx * hx + hy * hy + hz * hz);
        const double specular = std::pow(std::max(0.0, (nx * hx + ny * hy + nz * hz) / (n * h)), 60);
        // Fine brushed grain along the sheet.
        const double grain = (hash01(static_cast<int64_t>(p.y), static_cast<int64_t>(p.x / 9), 0xF033) - 0.5) * 0.03;
        // A broad pool of light, brightest up and left of the middle.
        const double u = (p.x - 0.4 * kBoardWidth) / kBoardWidth, v = (p.y - 0.35 * kBoardHeight) / kBoardHeight;
        const double pool = 0.62 - 0.5 * (u * u + v * v);
        return foilRamp(pool + 0.55 * diffuse + 0.30 * specular + grain);
    });
    // Darker toward the rim.
    c.shade([](Vec2 p, Rgb d) {
        const double u = (p.x / kBoardWidth - 0.5) * 2, v = (p.y / kBoardHeight - 0.5) * 2;
        return darken(d, 0.35 * smoothstep(0.5, 1.6, u * u + v * v));
    });
    // The shadows of the cards, cast to the lower right, away from the light. They fall
    // only beside the cards: under a card that turns the foil shows plain.
    const auto underCard = [](Vec2 p) {
        for (int row : kCardRows)
            for (int col : kCardColumns)
                if (p.x >= col && p.x < col + kCard && p.y >= row && p.y < row + kCard) return true;
        return false;
    };
    c.shade([&](Vec2 p, Rgb d) {
        if (underCard(p)) return d;
        double shadow = 0;
        for (int row : kCardRows)
            for (int col : kCardColumns) {
                const double dist = sdRoundBox(p, {col + kCard / 2.0 + 2, row + kCard / 2.0 + 2.5}, {kCard / 2.0, kCard / 2.0}, 3);
                shadow = std::max(shadow, 1 - smoothstep(-1.5, 3.0, dist));
            }
        return darken(d, 0.6 * shadow);
    });
    // A bevelled rim.
    c.shade([](Vec2 p, Rgb d) {
        if (p.x < 1 || p.y < 1) return lighten(d, 0.35);
        if (p.x > kBoardWidth - 1 || p.y > kBoardHeight - 1) return darken(d, 0.5);
        return d;
    });
    return c;
}

} // namespace assetgen
