// Signed distance functions of the shapes the pictures are built from: the
// distance in pixels from a point to the shape's edge, negative inside.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

struct Vec2 {
    double x, y;
};

inline Vec2 operator+(Vec2 a, Vec2 b) {
    return {a.x + b.x, a.y + b.y};
}
inline Vec2 operator-(Vec2 a, Vec2 b) {
    return {a.x - b.x, a.y - b.y};
}
inline Vec2 operator*(Vec2 a, double s) {
    return {a.x * s, a.y * s};
}
inline double dot(Vec2 a, Vec2 b) {
    return a.x * b.x + a.y * b.y;
}
inline double length(Vec2 a) {
    return std::sqrt(dot(a, a));
}

inline double clamp01(double v) {
    return std::clamp(v, 0.0, 1.0);
}
inline double smoothstep(double e0, double e1, double x) {
    double t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}
inline double mix(double a, double b, double t) {
    return a + (b - a) * t;
}

inline double sdCircle(Vec2 p, Vec2 c, double r) {
    return length(p - c) - r;
}

// A cheap ellipse distance: exact on the axes, close enough for anti-aliasing.
inline double sdEllipse(Vec2 p, Vec2 c, double rx, double ry) {
    Vec2 q = {(p.x - c.x) / rx, (p.y - c.y) / ry};
    double k = length(q);
    if (k == 0)
        return -std::min(rx, ry);
    Vec2 grad = {q.x / rx, q.y / ry};
    return (k - 1) * k / length(grad);
}

// A segment from a to b thickened by r.
inline double sdCapsule(Vec2 p, Vec2 a, Vec2 b, double r) {
    Vec2 pa = p - a, ba = b - a;
    double h = std::clamp(dot(pa, ba) / std::max(dot(ba, ba), 1e-12), 0.0, 1.0);
    return length(pa - ba * h) - r;
}

// A segment whose radius runs from ra at a to rb at b.
inline double sdTaperedCapsule(Vec2 p, Vec2 a, Vec2 b, double ra, double rb) {
    Vec2 pa = p - a, ba = b - a;
    double h = std::clamp(dot(pa, ba) / std::max(dot(ba, ba), 1e-12), 0.0, 1.0);
    return length(pa - ba * h) - mix(ra, rb, h);
}

// Axis-aligned box centred at c with half sizes hx, hy and corner radius r.
inline double sdBox(Vec2 p, Vec2 c, double hx, double hy, double r = 0) {
    double qx = std::abs(p.x - c.x) - hx + r, qy = std::abs(p.y - c.y) - hy + r;
    double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
    return outside + std::min(std::max(qx, qy), 0.0) - r;
}

// Exact distance to a closed polygon (even-odd inside test).
inline double sdPolygon(Vec2 p, const std::vector<Vec2>& v) {
    double d = dot(p - v[0], p - v[0]);
    double s = 1;
    for (size_t i = 0, j = v.size() - 1; i < v.size(); j = i, ++i) {
        Vec2 e = v[j] - v[i], w = p - v[i];
        Vec2 b = w - e * std::clamp(dot(w, e) / dot(e, e), 0.0, 1.0);
        d = std::min(d, dot(b, b));
        bool c1 = p.y >= v[i].y, c2 = p.y<v[j].y, c3 = e.x * w.y> e.y * w.x;
        if ((c1 && c2 && c3) || (!c1 && !c2 && !c3))
            s = -s;
    }
    return s * std::sqrt(d);
}

// A five- (or n-) pointed star around c with outer radius ro and inner ri.
inline double sdStar(Vec2 p, Vec2 c, double ro, double ri, int points = 5, double turn = 0) {
    std::vector<Vec2> v;
    for (int i = 0; i < 2 * points; ++i) {
        double a = turn - M_PI / 2 + i * M_PI / points;
        double r = (i % 2) ? ri : ro;
        v.push_back({c.x + r * std::cos(a), c.y + r * std::sin(a)});
    }
    return sdPolygon(p, v);
}

inline Vec2 rotateAround(Vec2 p, Vec2 c, double angle) {
    double s = std::sin(angle), co = std::cos(angle);
    Vec2 d = p - c;
    return {c.x + co * d.x - s * d.y, c.y + s * d.x + co * d.y};
}

// Union of two shapes with a rounded seam of width k.
inline double smin(double a, double b, double k) {
    double h = std::clamp(0.5 + 0.5 * (b - a) / k, 0.0, 1.0);
    return mix(b, a, h) - k * h * (1 - h);
}
