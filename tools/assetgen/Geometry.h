// 2-D vectors and signed distance functions: negative inside a shape, positive outside,
// in pixels. The painter turns a distance into an anti-aliased coverage.
#pragma once
#include <algorithm>
#include <cmath>
#include <vector>

namespace assetgen {

constexpr double kPi = 3.14159265358979323846;

struct Vec2 {
    double x = 0, y = 0;
};

inline Vec2 operator+(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
inline Vec2 operator-(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
inline Vec2 operator*(Vec2 a, double s) { return {a.x * s, a.y * s}; }
inline double dot(Vec2 a, Vec2 b) { return a.x * b.x + a.y * b.y; }
inline double cross(Vec2 a, Vec2 b) { return a.x * b.y - a.y * b.x; }
inline double length(Vec2 a) { return std::sqrt(dot(a, a)); }
inline Vec2 rotate(Vec2 p, double angle)
{
    const double c = std::cos(angle), s = std::sin(angle);
    return {c * p.x - s * p.y, s * p.x + c * p.y};
}

inline double clamp01(double v) { return std::clamp(v, 0.0, 1.0); }
inline double mix(double a, double b, double t) { return a + (b - a) * t; }
inline double smoothstep(double e0, double e1, double x)
{
    const double t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}

inline double sdCircle(Vec2 p, Vec2 c, double r) { return length(p - c) - r; }

inline double sdEllipse(Vec2 p, Vec2 c, double rx, double ry)
{
    // Scaled-circle distance: exact on the axes, close enough for filled blobs.
    const Vec2 q = p - c;
    const double k = std::sqrt(q.x * q.x / (rx * rx) + q.y * q.y / (ry * ry));
    return (k - 1) * std::min(rx, ry);
}

inline double sdEllipse(Vec2 p, Vec2 c, double rx, double ry, double angle)
{
    return sdEllipse(c + rotate(p - c, -angle), c, rx, ry);
}

inline double sdRoundBox(Vec2 p, Vec2 c, Vec2 half, double r)
{
    const Vec2 q{std::abs(p.x - c.x) - half.x + r, std::abs(p.y - c.y) - half.y + r};
    const Vec2 outside{std::max(q.x, 0.0), std::max(q.y, 0.0)};
    return length(outside) + std::min(std::max(q.x, q.y), 0.0) - r;
}

inline double sdSegment(Vec2 p, Vec2 a, Vec2 b, double r)
{
    const Vec2 pa = p - a, ba = b - a;
    const double h = clamp01(dot(pa, ba) / dot(ba, ba));
    return length(pa - ba * h) - r;
}

// Exact distance to a closed polygon (any winding, may be concave).
inline double sdPolygon(Vec2 p, const std::vector<Vec2>& v)
{
    double d = dot(p - v[0], p - v[0]);
    double s = 1;
    for (size_t i = 0, j = v.size() - 1; i < v.size(); j = i, ++i) {
        const Vec2 e = v[j] - v[i], w = p - v[i];
        const Vec2 b = w - e * clamp01(dot(w, e) / dot(e, e));
        d = std::min(d, dot(b, b));
        const bool c1 = p.y >= v[i].y, c2 = p.y < v[j].y, c3 = e.x * w.y > e.y * w.x;
        if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) s = -s;
    }
    return s * std::sqrt(d);
}

// A star of n points around c: outer radius ro, inner radius ri, first point at angle a0.
inline std::vector<Vec2> starPoints(Vec2 c, int n, double ro, double ri, double a0)
{
    std::vector<Vec2> v;
    for (int i = 0; i < 2 * n; ++i) {
        const double a = a0 + i * kPi / n;
        const double r = (i % 2 == 0) ? ro : ri;
        v.push_back({c.x + r * std::cos(a), c.y + r * std::sin(a)});
    }
    return v;
}

// A heart centred on c, about 1.2 s wide and 1.1 s tall, tip down.
inline double sdHeart(Vec2 p, Vec2 c, double s)
{
    // Built in a unit space with y up: tip at (0, 0), lobes reaching y = 1.1.
    Vec2 q{std::abs(p.x - c.x) / s, (c.y - p.y) / s + 0.55};
    double d;
    if (q.y + q.x > 1.0) {
        d = length(q - Vec2{0.25, 0.75}) - std::sqrt(2.0) / 4.0;
    } else {
        const Vec2 a = q - Vec2{0.0, 1.0};
        const double m = 0.5 * std::max(q.x + q.y, 0.0);
        const Vec2 b = q - Vec2{m, m};
        d = std::sqrt(std::min(dot(a, a), dot(b, b))) * ((q.x > q.y) ? 1.0 : -1.0);
    }
    return d * s;
}

inline double opUnion(double a, double b) { return std::min(a, b); }
inline double opSubtract(double a, double b) { return std::max(a, -b); }
inline double opIntersect(double a, double b) { return std::max(a, b); }
inline double opSmoothUnion(double a, double b, double k)
{
    const double h = clamp01(0.5 + 0.5 * (b - a) / k);
    return mix(b, a, h) - k * h * (1 - h);
}

} // namespace assetgen
