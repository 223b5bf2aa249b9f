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

// Paints in sprite pixels on a canvas kFine times as large.
class FineCanvas {
  public:
    FineCanvas(int w, int h) : c(w * kFine, h * kFine) {}

    void fill(const Sdf& shape, const Shader& shader) {
        c.fill([&](Vec2 p) { return shape(p * (1.0 / kFine)) * kFine; },
               [&](Vec2 p) { return shader(p * (1.0 / kFine)); }, fullBox(c));
    }
    void fill(const Sdf& shape, Rgb col) {
        fill(shape, [col](Vec2) { return col; });
    }
    void glow(const Sdf& shape, Rgb col, double radius, double strength) {
        c.glow([&](Vec2 p) { return shape(p * (1.0 / kFine)) * kFine; }, col, radius * kFine,
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
};

// A four-pointed star with long arms on the axes, short ones on the
// diagonals and a white-hot core: white at the heart, gold along the arms,
// fading to amber at the tips. The centre sits on pixel 9, which a scan at
// step 1.5 (the sprinkle's small stars) still hits, so they keep their core
// and both arms.
void writeStar(const std::string& path) {
    const int size = 19;
    FineCanvas c(size, size);
    const Vec2 m = {9.5, 9.5};
    auto colour = [=](Vec2 p) {
        double r = length(p - m);
        Rgb col = r < 2.5   ? lerp(hex(0xffffff), hex(0xffd860), smoothstep(1.0, 2.5, r))
                  : r < 5.5 ? lerp(hex(0xffd860), hex(0xffb020), smoothstep(2.5, 5.5, r))
                            : lerp(hex(0xffb020), hex(0xe07010), smoothstep(5.5, 8.5, r));
        return col * (1.0 - 0.25 * clamp01(r / 8.5));
    };
    c.glow([=](Vec2 p) { return sdCircle(p, m, 1.3); }, hex(0xffa830), 1.2, 0.6);
    c.fill([=](Vec2 p) { return sdStar(p, m, 5.0, 0.85, 4, M_PI / 4); }, colour);
    c.fill([=](Vec2 p) { return sdStar(p, m, 8.6, 1.2, 4); }, colour);
    c.fill([=](Vec2 p) { return sdCircle(p, m, 1.5); }, hex(0xffffff));
    c.write(path);
}

enum class Pattern { Dots, Stripes };

// A wrapped box seen from the front, lit from the upper left: a lid, a
// ribbon crossing the front and a bow of two loops on top.
void writeGift(const std::string& path, Rgb paper, Rgb print, Rgb ribbon, Pattern pattern) {
    const int size = 24;
    FineCanvas c(size, size);
    const double cx = 11.5;
    auto lid = [=](Vec2 p) { return sdBox(p, {cx, 9.3}, 11, 2.1, 0.6); };
    auto body = [=](Vec2 p) { return sdBox(p, {cx, 16.7}, 9.8, 5.8, 0.5); };
    auto wrapped = [=](Vec2 p) { return std::min(lid(p), body(p)); };

    auto printed = [=](Vec2 p) {
        if (pattern == Pattern::Dots) {
            int row = int(std::floor(p.y / 4));
            Vec2 q = {p.x + (row % 2 ? 2.0 : 0.0), p.y};
            Vec2 d = {q.x - 4 * std::floor(q.x / 4) - 2, q.y - 4 * std::floor(q.y / 4) - 2};
            return smoothstep(1.2, 0.8, length(d));
        }
        double s = std::fmod(p.x + p.y + 100, 5.0);
        return smoothstep(0.0, 0.3, s) * smoothstep(2.2, 1.9, s);
    };
    c.fill(body, [=](Vec2 p) {
        double light = 1.08 - 0.3 * clamp01((p.y - 11) / 11.5) - 0.12 * clamp01((p.x - 2) / 19);
        light *= 1 - 0.35 * smoothstep(13, 11.3, p.y); // the lid's shadow
        return lerp(paper, print, printed(p)) * light;
    });
    c.fill(lid, [=](Vec2 p) {
        double light = 1.25 - 0.15 * clamp01((p.x - 1) / 21) - 0.1 * clamp01((p.y - 7.5) / 4);
        light += 0.35 * smoothstep(8.2, 7.3, p.y); // its lit upper edge
        return lerp(paper, print, 0.5 * printed(p)) * light;
    });

    auto ribbonShade = [=](double t, double base) {
        return lerp(ribbon * base, hex(0xffffff), 0.3 * smoothstep(0.7, 0.0, std::abs(t)));
    };
    auto band = [=](Vec2 p) { return std::max(sdBox(p, {cx, 14.9}, 1.7, 8), wrapped(p)); };
    c.fill(band, [=](Vec2 p) { return ribbonShade(p.x - cx + 0.3, 1.0 - 0.2 * (p.y - 7) / 16); });
    auto belt = [=](Vec2 p) { return std::max(sdBox(p, {cx, 17.2}, 10, 1.5), body(p)); };
    c.fill(belt, [=](Vec2 p) { return ribbonShade(p.y - 16.9, 0.95 - 0.15 * (p.x - 2) / 19); });

    for (int s : {-1, 1}) {
        Vec2 knot = {cx, 6.4}, tip = {cx + s * 6.2, 3.2};
        c.fill([=](Vec2 p) { return sdTaperedCapsule(p, knot, tip, 0.9, 2.2); },
               [=](Vec2 p) { return ribbon * (1.15 - 0.25 * clamp01((p.y - 1) / 6)); });
        c.fill([=](Vec2 p) { return sdEllipse(p, {cx + s * 5.6, 3.5}, 1.2, 0.75); }, ribbon * 0.55);
    }
    c.fill(
        [=](Vec2 p) {
            return sdCircle(p, {cx, 6.6}, 1.6);
        },
        [=](Vec2 p) {
            return ribbonShade(length(p - Vec2{cx - 0.4, 6.2}) * 0.6, 1.0);
        });
    c.write(path);
}

} // namespace

void makeFieldSprites(const std::string& dir) {
    writeStar(dir + "/star.png");
    writeGift(dir + "/paket0.png", hex(0xc81426), hex(0xf06070), hex(0xffc838), Pattern::Dots);
    writeGift(dir + "/paket1.png", hex(0x157a32), hex(0x58c872), hex(0xeef0ff), Pattern::Stripes);
}
