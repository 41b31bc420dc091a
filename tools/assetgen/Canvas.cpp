#include "Canvas.h"

#include <cmath>

namespace assetgen {

Canvas::Canvas(int width, int height, Rgb fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill),
      clip_{0, 0, width, height}
{
}

void Canvas::shade(const std::function<Rgb(Vec2, Rgb)>& f)
{
    for (int y = clip_.y0; y < clip_.y1; ++y)
        for (int x = clip_.x0; x < clip_.x1; ++x)
            at(x, y) = f({x + 0.5, y + 0.5}, at(x, y));
}

void Canvas::cover(const std::function<double(Vec2)>& alpha, const Paint& paint)
{
    for (int y = clip_.y0; y < clip_.y1; ++y) {
        for (int x = clip_.x0; x < clip_.x1; ++x) {
            const Vec2 p{x + 0.5, y + 0.5};
            const double a = alpha(p);
            if (a > 0) blend(x, y, paint(p), a);
        }
    }
}

void Canvas::fill(const Sdf& shape, const Paint& paint, double opacity)
{
    cover([&](Vec2 p) { return opacity * clamp01(0.5 - shape(p)); }, paint);
}

void Canvas::stroke(const Sdf& shape, double width, Rgb colour, double opacity)
{
    fill([&](Vec2 p) { return std::abs(shape(p)) - width / 2; }, colour, opacity);
}

void Canvas::soft(const Sdf& shape, double blur, Rgb colour, double opacity)
{
    const Paint paint = solid(colour);
    cover([&](Vec2 p) { return opacity * (1 - smoothstep(-blur, blur, shape(p))); }, paint);
}

void Canvas::blend(int x, int y, Rgb c, double alpha)
{
    Rgb& d = at(x, y);
    d = mixRgb(d, c, clamp01(alpha));
}

void Canvas::paste(const Canvas& src, int x, int y)
{
    for (int j = 0; j < src.height(); ++j)
        for (int i = 0; i < src.width(); ++i)
            if (x + i >= 0 && x + i < width_ && y + j >= 0 && y + j < height_) at(x + i, y + j) = src.at(i, j);
}

Canvas Canvas::crop(int x, int y, int w, int h) const
{
    Canvas out(w, h);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) out.at(i, j) = at(x + i, y + j);
    return out;
}

uint8_t Canvas::toByte(double v)
{
    return static_cast<uint8_t>(std::lround(clamp01(v) * 255.0));
}

} // namespace assetgen
