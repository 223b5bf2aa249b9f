// The warp field's sprites, drawn pixel by pixel by the show and enlarged up
// to 64 times when an object flies close: a twinkling star and two wrapped
// gifts. Painted four times over and box-filtered down, then written as RGBA
// with hard alpha: every pixel is either (0,0,0,0) or opaque, and the soft
// edges are shaded towards black, the colour of the sky they fly in.
//
// The show never samples a sprite's last row and column at its own size or
// smaller, so those stay empty and the pictures are centred on the rest.
#include "assets.h"
#include "canvas.h"
#include "gift.h"

#include <cmath>

namespace {

constexpr int kFine = 4;       // supersampling factor
constexpr double kDim = 0.035; // darker than this (of full scale) is sky

// Paints a design on a canvas kFine times as large as the sprite; unit is
// the number of sprite pixels per design unit, so one design serves any size.
class FineCanvas {
  public:
    FineCanvas(int w, int h, double unit) : c(w * kFine, h * kFine), scale(unit * kFine) {}

    void fill(const Sdf& shape, const Shader& shader) {
        c.fill([&](Vec2 p) { return shape(p * (1.0 / scale)) * scale; },
               [&](Vec2 p) { return shader(p * (1.0 / scale)); }, fullBox(c));
    }
    void fill(const Sdf& shape, Rgb col) {
        fill(shape, [col](Vec2) { return col; });
    }
    void glow(const Sdf& shape, Rgb col, double radius, double strength) {
        c.glow([&](Vec2 p) { return shape(p * (1.0 / scale)) * scale; }, col, radius * scale,
               fullBox(c), strength);
    }

    // Soft edges are shaded towards black; hard ones keep the shape's own
    // colour out to where it covers half a pixel, and nothing lies beyond.
    enum class Edge { Soft, Hard };

    void write(const std::string& path, Edge edge = Edge::Soft) const {
        Canvas s = downsample(c, kFine);
        std::vector<uint8_t> out(size_t(s.w) * s.h * 4, 0);
        for (int y = 0; y < s.h - 1; ++y)
            for (int x = 0; x < s.w - 1; ++x) {
                size_t i = size_t(y) * s.w + x;
                Rgb v = s.colour[i];
                if (edge == Edge::Hard) {
                    if (s.cover[i] < 0.5)
                        continue;
                    v = v * (1 / s.cover[i]);
                } else if (std::max({v.r, v.g, v.b}) < kDim) {
                    continue;
                }
                out[i * 4] = toByte(v.r);
                out[i * 4 + 1] = toByte(v.g);
                out[i * 4 + 2] = toByte(v.b);
                out[i * 4 + 3] = 255;
            }
        writePngRgba(path, s.w, s.h, out);
    }

  private:
    Canvas c;
    double scale;
};

// The star is designed on a 19-unit square around (9.5, 9.5) and the gifts
// on a 24-unit one; the sprites are drawn larger than that, so that a close
// object shows finer detail before it leaves the screen.
constexpr int kStarSize = 27, kGiftSize = 40;

// Light falls from the upper left onto the field's faceted objects.
const Vec2 kLight = {-M_SQRT1_2, -M_SQRT1_2};

// A four-pointed star with long arms on the axes, short ones on the
// diagonals and a white-hot core: white at the heart, gold along the arms,
// fading to amber at the tips. Each arm is cut into two facets along its
// ridge, the one facing the light brighter, so the star keeps a crisp form
// when it flies close. The centre sits on pixel 13, which a scan at step 1.5
// (the sprinkle's small stars) still hits, so they keep their core and arms.
void writeStar(const std::string& path) {
    FineCanvas c(kStarSize, kStarSize, kStarSize / 19.0);
    const Vec2 m = {9.5, 9.5};
    auto glowColour = [=](double r) {
        Rgb col = r < 2.5   ? lerp(hex(0xffffff), hex(0xffd860), smoothstep(1.0, 2.5, r))
                  : r < 5.5 ? lerp(hex(0xffd860), hex(0xffb020), smoothstep(2.5, 5.5, r))
                            : lerp(hex(0xffb020), hex(0xe07010), smoothstep(5.5, 8.5, r));
        return col * (1.0 - 0.25 * clamp01(r / 8.5));
    };
    // The facet on the side of the nearest arm (arms every 2 pi / points
    // from turn on) is lit by how much it faces the light.
    auto faceted = [=](double points, double turn) {
        return [=](Vec2 p) {
            Vec2 d = p - m;
            double sector = 2 * M_PI / points;
            double armAngle = turn + sector * std::round((std::atan2(d.y, d.x) - turn) / sector);
            Vec2 arm = {std::cos(armAngle), std::sin(armAngle)};
            double side = arm.x * d.y - arm.y * d.x >= 0 ? 1 : -1;
            Vec2 facing = {-arm.y * side, arm.x * side};
            return glowColour(length(d)) * (0.85 + 0.3 * dot(facing, kLight));
        };
    };
    c.fill([=](Vec2 p) { return sdStar(p, m, 4.4, 1.6, 4, M_PI / 4); }, faceted(4, M_PI / 4));
    c.fill([=](Vec2 p) { return sdStar(p, m, 8.6, 1.5, 4); }, faceted(4, 0));
    c.fill([=](Vec2 p) { return sdCircle(p, m, 1.5); }, hex(0xffffff));
    c.write(path, FineCanvas::Edge::Hard);
}

// A gift filling the 24-unit design square, as it always has.
void writeGift(const std::string& path, const GiftLook& look) {
    FineCanvas c(kGiftSize, kGiftSize, kGiftSize / 24.0);
    paintGift([&](const Sdf& shape, const Shader& shader) { c.fill(shape, shader); },
              {11.5, 22.5, 9.8, 5.8}, look);
    c.write(path);
}

} // namespace

void makeFieldSprites(const std::string& dir) {
    writeStar(dir + "/star.png");
    writeGift(dir + "/paket0.png", {hex(0xc81426), hex(0xf06070), hex(0xffc838), Pattern::Dots});
    writeGift(dir + "/paket1.png", {hex(0x157a32), hex(0x58c872), hex(0xeef0ff), Pattern::Stripes});
}
