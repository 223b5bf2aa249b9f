#include "canvas.h"

#include <algorithm>
#include <cmath>

namespace {

int clampInt(double v, int lo, int hi) {
    return std::clamp(int(std::floor(v)), lo, hi);
}

} // namespace

Box fullBox(const Canvas& c) {
    return {0, 0, double(c.w), double(c.h)};
}
Box around(Vec2 c, double r) {
    return {c.x - r, c.y - r, c.x + r, c.y + r};
}

void Canvas::fill(const Sdf& shape, const Shader& shader, Box box, double alpha) {
    int x0 = clampInt(box.x0 - 1, 0, w), x1 = clampInt(box.x1 + 2, 0, w);
    int y0 = clampInt(box.y0 - 1, 0, h), y1 = clampInt(box.y1 + 2, 0, h);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            Vec2 p = {x + 0.5, y + 0.5};
            double d = shape(p);
            double k = (crisp ? (d < 0 ? 1.0 : 0.0) : clamp01(0.5 - d)) * alpha;
            if (k <= 0)
                continue;
            Rgb& c = at(x, y);
            c = lerp(c, shader(p), k);
            double& a = coverAt(x, y);
            a = a + k * (1 - a);
        }
}

void Canvas::glow(const Sdf& shape, Rgb c, double radius, Box box, double strength,
                  bool addCoverage) {
    int x0 = clampInt(box.x0 - radius * 3, 0, w), x1 = clampInt(box.x1 + radius * 3 + 1, 0, w);
    int y0 = clampInt(box.y0 - radius * 3, 0, h), y1 = clampInt(box.y1 + radius * 3 + 1, 0, h);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            double d = std::max(0.0, shape({x + 0.5, y + 0.5}));
            double k =
                strength * std::exp(-d / radius) * (1.0 - smoothstep(radius * 2, radius * 3, d));
            if (k <= 1e-4)
                continue;
            Rgb& p = at(x, y);
            p = p + c * k;
            if (addCoverage) {
                double& a = coverAt(x, y);
                a = std::max(a, std::min(1.0, k * 1.5));
            }
        }
}

void Canvas::draw(const Canvas& src, int ox, int oy) {
    for (int y = 0; y < src.h; ++y)
        for (int x = 0; x < src.w; ++x) {
            int tx = x + ox, ty = y + oy;
            if (tx < 0 || ty < 0 || tx >= w || ty >= h)
                continue;
            size_t s = size_t(y) * src.w + x;
            double k = src.cover[s];
            if (k <= 0)
                continue;
            // src colour is already composited over black: it is premultiplied.
            Rgb& c = at(tx, ty);
            c = c * (1 - k) + src.colour[s];
            double& a = coverAt(tx, ty);
            a = a + k * (1 - a);
        }
}

std::vector<uint8_t> Canvas::rgb8(bool keepVisibleNonBlack) const {
    std::vector<uint8_t> out(size_t(w) * h * 3);
    for (size_t i = 0; i < colour.size(); ++i) {
        uint8_t r = toByte(colour[i].r), g = toByte(colour[i].g), b = toByte(colour[i].b);
        if (keepVisibleNonBlack && cover[i] >= 0.5 && r == 0 && g == 0 && b == 0)
            r = g = b = 1;
        out[i * 3] = r;
        out[i * 3 + 1] = g;
        out[i * 3 + 2] = b;
    }
    return out;
}

std::vector<uint8_t> Canvas::rgba8() const {
    std::vector<uint8_t> out(size_t(w) * h * 4);
    for (size_t i = 0; i < colour.size(); ++i) {
        if (cover[i] < 0.5)
            continue;
        uint8_t r = toByte(colour[i].r), g = toByte(colour[i].g), b = toByte(colour[i].b);
        if (r == 0 && g == 0 && b == 0)
            r = g = b = 1;
        out[i * 4] = r;
        out[i * 4 + 1] = g;
        out[i * 4 + 2] = b;
        out[i * 4 + 3] = 255;
    }
    return out;
}

Canvas downsample(const Canvas& src, int f) {
    Canvas out(src.w / f, src.h / f);
    double n = double(f) * f;
    for (int y = 0; y < out.h; ++y)
        for (int x = 0; x < out.w; ++x) {
            Rgb sum = {0, 0, 0};
            double a = 0;
            for (int j = 0; j < f; ++j)
                for (int i = 0; i < f; ++i) {
                    size_t s = size_t(y * f + j) * src.w + (x * f + i);
                    sum = sum + src.colour[s];
                    a += src.cover[s];
                }
            out.at(x, y) = sum * (1 / n);
            out.coverAt(x, y) = a / n;
        }
    return out;
}

Box inkBounds(const Canvas& c) {
    Box b = {double(c.w), double(c.h), 0, 0};
    for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x)
            if (c.cover[size_t(y) * c.w + x] > 0.01) {
                b.x0 = std::min(b.x0, double(x));
                b.y0 = std::min(b.y0, double(y));
                b.x1 = std::max(b.x1, double(x + 1));
                b.y1 = std::max(b.y1, double(y + 1));
            }
    return b;
}
