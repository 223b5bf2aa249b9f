#include "gift.h"

#include <cmath>

namespace {

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

} // namespace

void paintGift(const DesignFill& fill, const GiftBox& box, const GiftLook& look) {
    const double cx = box.cx, hw = box.halfWidth, hh = box.halfHeight, bottom = box.bottom;
    const double left = cx - hw, top = bottom - 2 * hh, cy = bottom - hh;
    const Rgb paper = look.paper, print = look.print, ribbon = look.ribbon;
    const Pattern pattern = look.pattern;
    auto lid = [=](Vec2 p) { return sdBox(p, {cx, top - 1.6}, hw + 1.2, 2.1, 0.6); };
    auto body = [=](Vec2 p) { return sdBox(p, {cx, cy}, hw, hh, 0.5); };
    auto wrapped = [=](Vec2 p) { return std::min(lid(p), body(p)); };

    fill(body, [=](Vec2 p) {
        double light = 1.08 - 0.3 * clamp01((p.y - top - 0.1) / (bottom - top - 0.1)) -
                       0.12 * clamp01((p.x - left - 0.3) / (2 * hw - 0.6));
        light *= 1 - 0.35 * smoothstep(top + 2.1, top + 0.4, p.y); // the lid's shadow
        light += 0.15 * smoothstep(left + 0.9, left + 0.2, p.x);   // the lit left edge
        return lerp(paper, print, printAt(pattern, p)) * light;
    });
    fill(lid, [=](Vec2 p) {
        double light = 1.25 - 0.15 * clamp01((p.x - left + 0.7) / (2 * hw + 1.4)) -
                       0.1 * clamp01((p.y - top + 3.4) / 4);
        light += 0.35 * smoothstep(top - 2.7, top - 3.6, p.y); // its lit upper edge
        return lerp(paper, print, 0.5 * printAt(pattern, p)) * light;
    });

    // The ribbon runs from the top of the lid to the bottom, and round the
    // body's middle.
    const double bandTop = top - 3.9;
    auto band = [=](Vec2 p) {
        return std::max(
            sdBox(p, {cx, (bandTop + bottom + 0.3) / 2}, 1.7, (bottom + 0.5 - bandTop) / 2),
            wrapped(p));
    };
    fill(band, [=](Vec2 p) {
        return ribbonShade(ribbon, (p.x - cx + 0.3) / 1.7,
                           1.0 - 0.2 * (p.y - bandTop) / (bottom - bandTop + 0.5));
    });
    auto belt = [=](Vec2 p) { return std::max(sdBox(p, {cx, cy + 0.5}, hw + 0.2, 1.5), body(p)); };
    fill(belt, [=](Vec2 p) {
        return ribbonShade(ribbon, (p.y - cy - 0.5) / 1.5,
                           0.95 - 0.15 * (p.x - left - 0.3) / (2 * hw - 0.6));
    });

    const Vec2 knot = {cx, top - 4.3};
    for (int s : {-1, 1}) {
        Vec2 tailEnd = {cx + s * 3.6, top - 0.3};
        fill([=](Vec2 p) { return sdTaperedCapsule(p, knot, tailEnd, 0.9, 0.7); },
             [=](Vec2 p) { return ribbon * (0.95 - 0.2 * clamp01((p.y - knot.y + 0.6) / 5)); });
    }
    for (int s : {-1, 1}) {
        Vec2 tip = {cx + s * 6.2, top - 7.7};
        fill(
            [=](Vec2 p) {
                return sdTaperedCapsule(p, knot - Vec2{0, 0.2}, tip, 0.9, 2.2);
            },
            [=](Vec2 p) {
                // The loop's upper rim catches the light.
                double ridge = tip.y + (knot.y - 0.2 - tip.y) * (p.x - tip.x) / (knot.x - tip.x);
                double rim = smoothstep(1.6, 0.6, p.y - ridge + 2.2);
                return lerp(ribbon * (1.1 - 0.25 * clamp01((p.y - tip.y + 2.2) / 6)), hex(0xffffff),
                            0.25 * rim);
            });
        fill(
            [=](Vec2 p) {
                return sdEllipse(p, {cx + s * 5.6, tip.y + 0.3}, 1.2, 0.75);
            },
            [=](Vec2) { return ribbon * 0.5; });
    }
    fill([=](Vec2 p) { return sdCircle(p, knot, 1.6); },
         [=](Vec2 p) {
             return ribbonShade(ribbon, length(p - knot - Vec2{-0.4, -0.4}) / 2.2, 1.0);
         });
}
