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

    void write(const std::string& path) const {
        Canvas s = downsample(c, kFine);
        std::vector<uint8_t> out(size_t(s.w) * s.h * 4, 0);
        for (int y = 0; y < s.h - 1; ++y)
            for (int x = 0; x < s.w - 1; ++x) {
                size_t i = size_t(y) * s.w + x;
                Rgb v = s.colour[i];
                if (std::max({v.r, v.g, v.b}) < kDim)
                    continue;
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
    c.glow([=](Vec2 p) { return sdCircle(p, m, 1.3); }, hex(0xffa830), 1.2, 0.6);
    c.fill([=](Vec2 p) { return sdStar(p, m, 5.0, 1.0, 4, M_PI / 4); }, faceted(4, M_PI / 4));
    c.fill([=](Vec2 p) { return sdStar(p, m, 8.6, 1.5, 4); }, faceted(4, 0));
    c.fill([=](Vec2 p) { return sdCircle(p, m, 1.5); }, hex(0xffffff));
    c.write(path);
}

enum class Pattern { Dots, Stripes };

// How much of the print shows at p: staggered dots or diagonal stripes.
double printAt(Pattern pattern, Vec2 p) {
    if (pattern == Pattern::Dots) {
        const double period = 3;
        int row = int(std::floor(p.y / period));
        Vec2 q = {p.x + (row % 2 ? period / 2 : 0.0), p.y};
        Vec2 d = {q.x - period * std::floor(q.x / period) - period / 2,
                  q.y - period * std::floor(q.y / period) - period / 2};
        return smoothstep(0.9, 0.65, length(d));
    }
    double s = std::fmod(p.x + p.y + 100, 3.75);
    return smoothstep(0.0, 0.2, s) * smoothstep(1.6, 1.4, s);
}

// A ribbon across its width t (-1 to 1 from edge to edge): a sheen along
// the middle, darker hems at the edges.
Rgb ribbonShade(Rgb ribbon, double t, double base) {
    Rgb c = lerp(ribbon * base, hex(0xffffff), 0.3 * smoothstep(0.45, 0.0, std::abs(t)));
    return lerp(c, ribbon * (0.6 * base), smoothstep(0.7, 1.0, std::abs(t)));
}

// A wrapped box seen from the front, lit from the upper left: a lid, a
// ribbon crossing the front and a bow of two loops and two tails on top.
void writeGift(const std::string& path, Rgb paper, Rgb print, Rgb ribbon, Pattern pattern) {
    FineCanvas c(kGiftSize, kGiftSize, kGiftSize / 24.0);
    const double cx = 11.5;
    auto lid = [=](Vec2 p) { return sdBox(p, {cx, 9.3}, 11, 2.1, 0.6); };
    auto body = [=](Vec2 p) { return sdBox(p, {cx, 16.7}, 9.8, 5.8, 0.5); };
    auto wrapped = [=](Vec2 p) { return std::min(lid(p), body(p)); };

    c.fill(body, [=](Vec2 p) {
        double light = 1.08 - 0.3 * clamp01((p.y - 11) / 11.5) - 0.12 * clamp01((p.x - 2) / 19);
        light *= 1 - 0.35 * smoothstep(13, 11.3, p.y); // the lid's shadow
        light += 0.15 * smoothstep(2.6, 1.9, p.x);     // the lit left edge
        return lerp(paper, print, printAt(pattern, p)) * light;
    });
    c.fill(lid, [=](Vec2 p) {
        double light = 1.25 - 0.15 * clamp01((p.x - 1) / 21) - 0.1 * clamp01((p.y - 7.5) / 4);
        light += 0.35 * smoothstep(8.2, 7.3, p.y); // its lit upper edge
        return lerp(paper, print, 0.5 * printAt(pattern, p)) * light;
    });

    auto band = [=](Vec2 p) { return std::max(sdBox(p, {cx, 14.9}, 1.7, 8), wrapped(p)); };
    c.fill(band, [=](Vec2 p) {
        return ribbonShade(ribbon, (p.x - cx + 0.3) / 1.7, 1.0 - 0.2 * (p.y - 7) / 16);
    });
    auto belt = [=](Vec2 p) { return std::max(sdBox(p, {cx, 17.2}, 10, 1.5), body(p)); };
    c.fill(belt, [=](Vec2 p) {
        return ribbonShade(ribbon, (p.y - 17.2) / 1.5, 0.95 - 0.15 * (p.x - 2) / 19);
    });

    const Vec2 knot = {cx, 6.6};
    for (int s : {-1, 1}) {
        Vec2 tailEnd = {cx + s * 3.6, 10.6};
        c.fill([=](Vec2 p) { return sdTaperedCapsule(p, knot, tailEnd, 0.9, 0.7); },
               [=](Vec2 p) { return ribbon * (0.95 - 0.2 * clamp01((p.y - 6) / 5)); });
    }
    for (int s : {-1, 1}) {
        Vec2 tip = {cx + s * 6.2, 3.2};
        c.fill(
            [=](Vec2 p) {
                return sdTaperedCapsule(p, knot - Vec2{0, 0.2}, tip, 0.9, 2.2);
            },
            [=](Vec2 p) {
                // The loop's upper rim catches the light.
                double rim = smoothstep(
                    1.6, 0.6, p.y - (3.2 + (6.4 - 3.2) * (p.x - tip.x) / (knot.x - tip.x)) + 2.2);
                return lerp(ribbon * (1.1 - 0.25 * clamp01((p.y - 1) / 6)), hex(0xffffff),
                            0.25 * rim);
            });
        c.fill([=](Vec2 p) { return sdEllipse(p, {cx + s * 5.6, 3.5}, 1.2, 0.75); }, ribbon * 0.5);
    }
    c.fill([=](Vec2 p) { return sdCircle(p, knot, 1.6); },
           [=](Vec2 p) {
               return ribbonShade(ribbon, length(p - knot - Vec2{-0.4, -0.4}) / 2.2, 1.0);
           });
    c.write(path);
}

} // namespace

void makeFieldSprites(const std::string& dir) {
    writeStar(dir + "/star.png");
    writeGift(dir + "/paket0.png", hex(0xc81426), hex(0xf06070), hex(0xffc838), Pattern::Dots);
    writeGift(dir + "/paket1.png", hex(0x157a32), hex(0x58c872), hex(0xeef0ff), Pattern::Stripes);
}
