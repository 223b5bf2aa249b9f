// Santa in his red sleigh behind two reindeer (Rudolph in front, nose
// aglow), flying to the left; drawn at three sizes for the far, middle and
// near layers of the sky. Black is the colour key.
#include "assets.h"
#include "canvas.h"

#include <cmath>

namespace {

// The team is designed on a 200 x 84 plane; a Figure paints design shapes at
// any scale.
struct Figure {
    Canvas& c;
    double s;
    void fill(const Sdf& design, const Shader& shader) {
        c.fill([&](Vec2 p) { return design(p * (1 / s)) * s; },
               [&](Vec2 p) { return shader(p * (1 / s)); }, fullBox(c));
    }
    void fill(const Sdf& design, Rgb col) {
        fill(design, [col](Vec2) { return col; });
    }
    void glow(const Sdf& design, Rgb col, double radius, double strength) {
        c.glow([&](Vec2 p) { return design(p * (1 / s)) * s; }, col, radius * s, fullBox(c),
               strength);
    }
};

Shader vertical(Rgb top, Rgb bottom, double y0, double y1) {
    return [=](Vec2 p) { return lerp(top, bottom, clamp01((p.y - y0) / (y1 - y0))); };
}

// One reindeer brown at every size, so the three layers show the same team;
// the rear reindeer is a shade darker, so the two stay apart.
const Rgb kFur = hex(0xb47a44);
constexpr double kRearShade = 0.82;

void paintReindeer(Figure& f, Vec2 o, bool rudolph, double stride) {
    const Rgb fur = rudolph ? kFur : kFur * kRearShade;
    const Rgb dark = fur * 0.55, belly = lerp(fur, hex(0xf0dcc0), 0.45);
    auto at = [o](double x, double y) { return o + Vec2{x, y}; };
    // Legs in a flying gallop: front pair reaching forward, hind pair back.
    f.fill(
        [=](Vec2 p) {
            return std::min({sdCapsule(p, at(-12, 4), at(-22 - stride, 10), 1.7),
                             sdCapsule(p, at(-22 - stride, 10), at(-28 - stride, 7), 1.4),
                             sdCapsule(p, at(14, 4), at(26 + stride, 9), 1.9),
                             sdCapsule(p, at(26 + stride, 9), at(32 + stride, 14), 1.5)});
        },
        dark);
    f.fill([=](Vec2 p) { return sdEllipse(p, at(0, 0), 17, 7.5); },
           vertical(fur, belly, o.y - 7, o.y + 7));
    f.fill(
        [=](Vec2 p) {
            return std::min(sdCapsule(p, at(-9, 4), at(-17, 12), 1.8),
                            sdCapsule(p, at(11, 4), at(19, 12), 1.9));
        },
        fur);
    f.fill([=](Vec2 p) { return sdCircle(p, at(17, -3), 3); }, hex(0xf0e8dc)); // tail
    f.fill([=](Vec2 p) { return sdTaperedCapsule(p, at(-11, -2), at(-19, -12), 5, 3.5); }, fur);
    f.fill([=](Vec2 p) { return sdEllipse(p, at(-24, -14), 7, 4.2); }, fur);
    // Antlers sweep back over the neck.
    f.fill(
        [=](Vec2 p) {
            return std::min({sdCapsule(p, at(-20, -17), at(-14, -27), 1.1),
                             sdCapsule(p, at(-14, -27), at(-6, -30), 1),
                             sdCapsule(p, at(-15, -24), at(-20, -30), 0.9),
                             sdCapsule(p, at(-18, -17), at(-8, -22), 0.9)});
        },
        hex(0xd8c098));
    f.fill([=](Vec2 p) { return sdCircle(p, at(-23, -16), 1.2); }, hex(0x201008)); // eye
    // Red harness with a gold bell.
    f.fill([=](Vec2 p) { return sdCapsule(p, at(-13, -5), at(-9, 5), 1.6); }, hex(0xc81020));
    f.fill([=](Vec2 p) { return sdCircle(p, at(-10, 6), 2.2); }, hex(0xffd040));
    if (!rudolph)
        f.fill([=](Vec2 p) { return sdCircle(p, at(-31, -14), 1.8); }, hex(0x3a2010));
}

void paintSleigh(Figure& f) {
    // Reins from Santa's hands to the team.
    f.fill([](Vec2 p) { return sdCapsule(p, {124, 36}, {64, 40}, 0.7); }, hex(0xe8c070));
    f.fill([](Vec2 p) { return sdCapsule(p, {64, 40}, {20, 36}, 0.7); }, hex(0xe8c070));
    // The sack of gifts behind Santa.
    f.fill(
        [](Vec2 p) {
            return sdEllipse(p, {172, 36}, 17, 19);
        },
        vertical(hex(0xc8904a), hex(0x7a5020), 18, 55));
    f.fill([](Vec2 p) { return sdBox(p, {165, 18}, 6, 5, 1); }, hex(0x30a040));
    f.fill([](Vec2 p) { return sdBox(p, {177, 16}, 5, 6, 1); }, hex(0x3060d0));
    // Santa: coat, arms, face, beard and hat with the pompom streaming back.
    f.fill(
        [](Vec2 p) {
            return sdEllipse(p, {142, 38}, 14, 16);
        },
        vertical(hex(0xff3a3a), hex(0xa01020), 22, 54));
    f.fill([](Vec2 p) { return sdCapsule(p, {136, 32}, {125, 36}, 3.5); }, hex(0xe02030));
    f.fill([](Vec2 p) { return sdCircle(p, {124, 36}, 2.8); }, hex(0x2a4a20)); // mitten
    f.fill([](Vec2 p) { return sdCircle(p, {137, 17}, 7); }, hex(0xffc8a8));
    f.fill(
        [](Vec2 p) {
            return std::min(sdEllipse(p, {136, 25}, 8, 8), sdCircle(p, {131, 22}, 4));
        },
        hex(0xf6f6fa));
    f.fill([](Vec2 p) { return sdCircle(p, {131.5, 17.5}, 1.6); }, hex(0xff7060)); // nose
    f.fill(
        [](Vec2 p) {
            return sdPolygon(p, {{129, 12}, {146, 12}, {158, 4}, {150, 2}, {138, 4}});
        },
        hex(0xe01828));
    f.fill([](Vec2 p) { return sdBox(p, {137.5, 12}, 9, 2.2, 1.5); }, hex(0xf6f6fa));
    f.fill([](Vec2 p) { return sdCircle(p, {159, 4}, 3); }, hex(0xf6f6fa));
    // The sleigh: a red tub with a curled prow, gold trim and runners.
    std::vector<Vec2> tub = {{108, 40}, {120, 44}, {192, 40}, {194, 62}, {120, 64}, {104, 52}};
    f.fill([&](Vec2 p) { return sdPolygon(p, tub) - 1.5; },
           vertical(hex(0xff4040), hex(0x900818), 40, 64));
    f.fill([](Vec2 p) { return std::abs(sdCircle(p, {106, 44}, 6)) - 1.6; }, hex(0xffd040));
    f.fill([](Vec2 p) { return sdCapsule(p, {118, 46}, {190, 43}, 1.2); }, hex(0xffd868));
    f.fill([](Vec2 p) { return sdCapsule(p, {124, 58}, {188, 57}, 1); }, hex(0xffd868));
    f.fill(
        [](Vec2 p) {
            return std::min(
                {sdCapsule(p, {100, 72}, {192, 72}, 1.6), sdCapsule(p, {130, 64}, {130, 72}, 1.2),
                 sdCapsule(p, {180, 63}, {180, 72}, 1.2),
                 std::abs(sdCircle(p, {100, 66}, 6)) - 1.5 + (p.x > 100 && p.y < 68 ? 9 : 0)});
        },
        hex(0xe8e0c8));
}

// The far and middle teams are 44 and 88 pixels wide: a design unit is a
// fifth or two fifths of a pixel, and the detailed team's thin legs, reins
// and trim blur into a brown smudge. These are made of few, bold shapes,
// each at least a pixel thick and in a colour of its own: a bright red
// sleigh on a pale runner, Santa's white beard and pompom, a golden sack
// with gifts, and two reindeer with pale antlers, Rudolph's nose aglow in
// front. The middle team, twice as large, also shows the reindeers' eyes
// and harness.
void paintBoldReindeer(Figure& f, Vec2 o, bool rudolph, bool accents) {
    const Rgb fur = rudolph ? kFur : kFur * kRearShade, antler = hex(0xfff0cc);
    auto at = [o](double x, double y) { return o + Vec2{x, y}; };
    f.fill(
        [=](Vec2 p) {
            return std::min({sdEllipse(p, at(0, 0), 18, 8),
                             sdTaperedCapsule(p, at(-10, -2), at(-20, -12), 6, 4.5),
                             sdEllipse(p, at(-25, -13), 8, 5),
                             sdCapsule(p, at(-12, 3), at(-26, 12), 3),
                             sdCapsule(p, at(12, 3), at(28, 11), 3)});
        },
        vertical(lerp(fur, hex(0xf0dcc0), 0.2), fur * 0.8, o.y - 8, o.y + 12));
    f.fill(
        [=](Vec2 p) {
            return std::min({sdCapsule(p, at(-20, -16), at(-14, -29), 2.4),
                             sdCapsule(p, at(-16, -23), at(-6, -29), 2.2)});
        },
        antler);
    if (accents) {
        f.fill([=](Vec2 p) { return sdCapsule(p, at(-13, -5), at(-9, 5), 2.2); }, hex(0xc81020));
        f.fill([=](Vec2 p) { return sdCircle(p, at(-9, 6), 2.6); }, hex(0xffd040));
        f.fill([=](Vec2 p) { return sdCircle(p, at(-24, -15), 1.6); }, hex(0x201008));
    }
}

void paintBoldSleigh(Figure& f) {
    f.fill([](Vec2 p) { return sdCapsule(p, {128, 34}, {20, 38}, 2.2); }, hex(0xf0c060)); // reins
    // The sack, with a green and a blue gift sticking out of it.
    f.fill([](Vec2 p) { return sdBox(p, {168, 13}, 6, 6, 1); }, hex(0x30b050));
    f.fill([](Vec2 p) { return sdBox(p, {183, 11}, 5.5, 7, 1); }, hex(0x4070e0));
    f.fill(
        [](Vec2 p) {
            return sdEllipse(p, {176, 30}, 16, 16);
        },
        vertical(hex(0xf0c060), hex(0xb07828), 14, 46));
    // Santa: red coat, face, white beard, red hat with a white brim and pompom.
    f.fill([](Vec2 p) { return sdEllipse(p, {146, 32}, 15, 15); }, hex(0xff3030));
    f.fill([](Vec2 p) { return sdCircle(p, {139, 15}, 7); }, hex(0xffc8a8));
    f.fill([](Vec2 p) { return sdEllipse(p, {137, 24}, 9, 7); }, hex(0xffffff));
    f.fill(
        [](Vec2 p) {
            return sdPolygon(p, {{129, 10}, {149, 10}, {160, 2}, {140, 0}});
        },
        hex(0xff2020));
    f.fill([](Vec2 p) { return sdBox(p, {139, 10}, 11, 3, 2); }, hex(0xffffff));
    f.fill([](Vec2 p) { return sdCircle(p, {160, 4}, 4.5); }, hex(0xffffff));
    // The sleigh: a bright red tub with a gold rim, on a pale runner whose
    // tip curls up at the front.
    std::vector<Vec2> tub = {{104, 38}, {194, 36}, {194, 64}, {118, 66}, {100, 50}};
    f.fill([&](Vec2 p) { return sdPolygon(p, tub) - 2; },
           vertical(hex(0xff3838), hex(0xc01020), 36, 66));
    f.fill([](Vec2 p) { return sdCapsule(p, {104, 39}, {192, 37}, 3); }, hex(0xffd040));
    f.fill(
        [](Vec2 p) {
            return std::min(sdCapsule(p, {100, 76}, {192, 76}, 3.2),
                            sdCapsule(p, {100, 76}, {92, 66}, 3.2));
        },
        hex(0xf0f0ff));
}

// Rudolph's glowing nose: a light of its own, so the haze does not dim it.
void paintNose(Figure& f, Vec2 at, double r) {
    auto nose = [=](Vec2 p) { return sdCircle(p, at, r); };
    f.glow(nose, hex(0xff2010), r, 0.9);
    f.fill(nose, hex(0xff3020));
}

// Farther teams fade into the night sky, which gives the layers depth.
void hazeOver(Canvas& c, double haze) {
    const Rgb night = hex(0x28325a);
    for (size_t i = 0; i < c.colour.size(); ++i)
        c.colour[i] = c.colour[i] * (1 - haze) + night * (c.cover[i] * haze);
}

enum class Detail { Bold, BoldAccents, Full };

void writeTeam(const std::string& path, int width, double haze, Detail detail) {
    double s = width / 200.0;
    int height = int(std::ceil(84 * s));
    Canvas c(width, height);
    Figure f{c, s};
    if (detail == Detail::Full) {
        paintReindeer(f, {62, 44}, false, 2);
        paintReindeer(f, {34, 34}, true, 0);
        paintSleigh(f);
        hazeOver(c, haze);
        paintNose(f, {3, 20}, 2.6);
    } else {
        bool accents = detail == Detail::BoldAccents;
        paintBoldReindeer(f, {70, 42}, false, accents);
        paintBoldReindeer(f, {36, 34}, true, accents);
        paintBoldSleigh(f);
        hazeOver(c, haze);
        paintNose(f, {3, 21}, 4);
    }
    writeBmp24(path, width, height, c.rgb8());
}

} // namespace

void makeSantas(const std::string& dir) {
    writeTeam(dir + "/tomte0.bmp", 44, 0.35, Detail::Bold);
    writeTeam(dir + "/tomte1.bmp", 88, 0.3, Detail::BoldAccents);
    writeTeam(dir + "/tomte2.bmp", 170, 0, Detail::Full);
}
