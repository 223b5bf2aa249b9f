#include "gift.h"

#include <cmath>

namespace {

// How much of the print shows at p: staggered dots or diagonal stripes.
bool printAt(Pattern pattern, Vec2 p) {
    if (pattern == Pattern::Dots) {
        const double period = 3;
        int row = int(std::floor(p.y / period));
        Vec2 q = {p.x + (row % 2 ? period / 2 : 0.0), p.y};
        Vec2 d = {q.x - period * std::floor(q.x / period) - period / 2,
                  q.y - period * std::floor(q.y / period) - period / 2};
        return length(d) < 0.6;
    }
    return std::fmod(p.x + p.y + 100, 3.75) < 1.2;
}

// A ribbon across its width t (-1 at its left or upper edge, 1 at the
// other): in shade on the side away from the light, lit on the side
// towards it.
Rgb ribbonShade(const Ramp& ribbon, double t) {
    return t < -0.35 ? ribbon.shade : t < 0.35 ? ribbon.base : ribbon.lit;
}

} // namespace

void paintGift(const DesignFill& fill, const GiftBox& box, const GiftLook& look) {
    const double cx = box.cx, hw = box.halfWidth, hh = box.halfHeight, bottom = box.bottom;
    const double left = cx - hw, right = cx + hw, top = bottom - 2 * hh, cy = bottom - hh;
    const Ramp paper = look.paper, ribbon = look.ribbon;
    const Pattern pattern = look.pattern;
    auto lid = [=](Vec2 p) { return sdBox(p, {cx, top - 1.6}, hw + 1.2, 2.1, 0.3); };
    auto body = [=](Vec2 p) { return sdBox(p, {cx, cy}, hw, hh); };
    auto wrapped = [=](Vec2 p) { return std::min(lid(p), body(p)); };

    // The bow's loops and tails first: the lid covers where they meet it.
    const Vec2 knot = {cx, top - 4.3};
    for (int s : {-1, 1}) {
        Vec2 tailEnd = {cx + s * 3.6, top - 0.3};
        fill([=](Vec2 p) { return sdTaperedCapsule(p, knot, tailEnd, 0.9, 0.7); },
             [=](Vec2 p) { return p.y < knot.y + 1.5 ? ribbon.lit : ribbon.base; });
        Vec2 tip = {cx + s * 6.2, top - 7.7};
        auto loop = [=](Vec2 p) { return sdTaperedCapsule(p, knot - Vec2{0, 0.2}, tip, 0.9, 2.2); };
        fill(loop, [=](Vec2 p) {
            // Dark inside the loop's end, lit along its upper rim.
            if (sdEllipse(p, {cx + s * 5.6, tip.y + 0.3}, 1.2, 0.75) < 0)
                return ribbon.dark;
            return loop(p + Vec2{0, 1.0}) > 0 ? ribbon.lit : ribbon.base;
        });
    }
    fill(body, [=](Vec2 p) {
        if (p.x < left + 0.7 || p.y > bottom - 0.7)
            return paper.dark;
        if (p.y < top + 1.0 || p.x < left + 1.4)
            return paper.shade;
        if (p.x > right - 0.7)
            return paper.lit;
        return printAt(pattern, p) ? paper.lit : paper.base;
    });
    fill(lid, [=](Vec2 p) {
        if (p.y > top - 0.2 || p.x < left - 0.6)
            return paper.dark;
        if (p.y < top - 3.0 || p.x > right + 0.6)
            return paper.lit;
        return paper.base;
    });

    // The ribbon runs from the top of the lid to the bottom, and round the
    // body's middle.
    const double bandTop = top - 3.9;
    auto band = [=](Vec2 p) {
        return std::max(
            sdBox(p, {cx, (bandTop + bottom + 0.3) / 2}, 1.7, (bottom + 0.5 - bandTop) / 2),
            wrapped(p));
    };
    fill(band, [=](Vec2 p) { return ribbonShade(ribbon, (p.x - cx) / 1.7); });
    auto belt = [=](Vec2 p) { return std::max(sdBox(p, {cx, cy + 0.5}, hw + 0.2, 1.5), body(p)); };
    fill(belt, [=](Vec2 p) { return ribbonShade(ribbon, -(p.y - cy - 0.5) / 1.5); });
    fill([=](Vec2 p) { return sdCircle(p, knot, 1.6); },
         [=](Vec2 p) {
             return p.x - knot.x > -0.3 && p.y - knot.y < 0.3 ? ribbon.lit : ribbon.base;
         });
}
