// A floating-point RGB canvas with anti-aliased shape painting. Everything is computed
// here rather than by a graphics library so that the output is the same on every machine.
#pragma once
#include "Geometry.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace assetgen {

struct Rgb {
    double r = 0, g = 0, b = 0;
};

// 0xRRGGBB
inline Rgb hex(uint32_t v)
{
    return {((v >> 16) & 0xFF) / 255.0, ((v >> 8) & 0xFF) / 255.0, (v & 0xFF) / 255.0};
}
inline Rgb mixRgb(Rgb a, Rgb b, double t) { return {mix(a.r, b.r, t), mix(a.g, b.g, t), mix(a.b, b.b, t)}; }
inline Rgb scaleRgb(Rgb a, double s) { return {a.r * s, a.g * s, a.b * s}; }
inline Rgb lighten(Rgb a, double t) { return mixRgb(a, {1, 1, 1}, t); }
inline Rgb darken(Rgb a, double t) { return mixRgb(a, {0, 0, 0}, t); }
inline double luminance(Rgb a) { return 0.299 * a.r + 0.587 * a.g + 0.114 * a.b; }

using Sdf = std::function<double(Vec2)>;
using Paint = std::function<Rgb(Vec2)>;

inline Paint solid(Rgb c)
{
    return [c](Vec2) { return c; };
}
// Colour c0 at a, c1 at b, constant beyond.
inline Paint linear(Vec2 a, Rgb c0, Vec2 b, Rgb c1)
{
    return [=](Vec2 p) {
        const Vec2 ab = b - a;
        return mixRgb(c0, c1, clamp01(dot(p - a, ab) / dot(ab, ab)));
    };
}
// Colour c0 at the centre, c1 at radius r and beyond.
inline Paint radial(Vec2 c, double r, Rgb c0, Rgb c1)
{
    return [=](Vec2 p) { return mixRgb(c0, c1, clamp01(length(p - c) / r)); };
}

struct Box {
    int x0, y0, x1, y1; // x1, y1 exclusive
};

class Canvas {
public:
    Canvas(int width, int height, Rgb fill = {});

    int width() const { return width_; }
    int height() const { return height_; }
    Rgb& at(int x, int y) { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    const Rgb& at(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }

    // Sets every pixel from its centre's position.
    void shade(const std::function<Rgb(Vec2, Rgb)>& f);
    // Covers the shape with the paint, edges anti-aliased from the distance.
    void fill(const Sdf& shape, const Paint& paint, double opacity = 1.0);
    void fill(const Sdf& shape, Rgb colour, double opacity = 1.0) { fill(shape, solid(colour), opacity); }
    // A line of the given width along the shape's edge.
    void stroke(const Sdf& shape, double width, Rgb colour, double opacity = 1.0);
    // A blurred copy of the shape: shadows and glows.
    void soft(const Sdf& shape, double blur, Rgb colour, double opacity);
    // Limits the following painting to a rectangle (all of the canvas by default).
    void clip(Box box) { clip_ = box; }
    void unclip() { clip_ = {0, 0, width_, height_}; }

    void blend(int x, int y, Rgb c, double alpha);
    void paste(const Canvas& src, int x, int y);
    Canvas crop(int x, int y, int w, int h) const;
    // Output bytes, rounded and clamped to 0..255.
    static uint8_t toByte(double v);

private:
    void cover(const std::function<double(Vec2)>& alpha, const Paint& paint);

    int width_, height_;
    std::vector<Rgb> pixels_;
    Box clip_;
};

} // namespace assetgen
