// The canvas every picture is painted on: floating-point colour composited
// over black, plus the coverage that tells which pixels the picture uses.
#pragma once

#include "sdf.h"

#include <cstdint>
#include <functional>
#include <vector>

struct Rgb {
    double r, g, b;
};

inline Rgb operator*(Rgb c, double s) {
    return {c.r * s, c.g * s, c.b * s};
}
inline Rgb operator+(Rgb a, Rgb b) {
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}
inline Rgb lerp(Rgb a, Rgb b, double t) {
    return a + (b + a * -1.0) * t;
}
inline Rgb hex(uint32_t v) {
    return {((v >> 16) & 255) / 255.0, ((v >> 8) & 255) / 255.0, (v & 255) / 255.0};
}

using Sdf = std::function<double(Vec2)>;
using Shader = std::function<Rgb(Vec2)>;

struct Box {
    double x0, y0, x1, y1;
};

class Canvas {
  public:
    Canvas(int w, int h) : w(w), h(h), colour(size_t(w) * h, Rgb{0, 0, 0}), cover(size_t(w) * h) {}

    int w, h;
    std::vector<Rgb> colour; // composited over black
    std::vector<double> cover;
    // A crisp canvas fills a pixel wholly when its centre lies inside the
    // shape and leaves it alone otherwise: hard edges, no blended colours.
    bool crisp = false;

    Rgb& at(int x, int y) { return colour[size_t(y) * w + x]; }
    double& coverAt(int x, int y) { return cover[size_t(y) * w + x]; }

    // Paints the inside of shape with shader, anti-aliased over one pixel at
    // the edge, with opacity alpha; only pixels inside box are visited.
    void fill(const Sdf& shape, const Shader& shader, Box box, double alpha = 1.0);
    void fill(const Sdf& shape, Rgb c, Box box, double alpha = 1.0) {
        fill(
            shape, [c](Vec2) { return c; }, box, alpha);
    }
    // Adds light that falls off with the distance outside shape (a halo);
    // covered pixels keep their coverage, the halo adds coverage by its light.
    void glow(const Sdf& shape, Rgb c, double radius, Box box, double strength = 1.0,
              bool addCoverage = true);
    // Draws another canvas over this one at (ox, oy), by its coverage.
    void draw(const Canvas& src, int ox, int oy);

    // 8-bit output. Pixels meant to be seen never come out as pure black,
    // which the show uses as the transparent colour.
    std::vector<uint8_t> rgb8(bool keepVisibleNonBlack = true) const;
    // RGBA with hard alpha: (0,0,0,0) where coverage is under one half, else
    // the colour with alpha 255.
    std::vector<uint8_t> rgba8() const;
};

Box fullBox(const Canvas& c);
Box around(Vec2 c, double r);
// The smallest box holding every pixel with any coverage.
Box inkBounds(const Canvas& c);

// Shrinks a canvas by an integer factor, averaging colour and coverage.
Canvas downsample(const Canvas& src, int factor);

inline uint8_t toByte(double v) {
    return uint8_t(std::lround(clamp01(v) * 255.0));
}
