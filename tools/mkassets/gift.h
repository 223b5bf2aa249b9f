// A wrapped gift seen from the front, shaded as the warp field's gift
// sprites are, in flat steps of its ramps and lit from the upper right:
// printed paper, a lid, a ribbon crossing the front and a bow of two loops
// and two tails on top. The gifts under the tree are painted with it.
#pragma once

#include "ramps.h"

#include <functional>

enum class Pattern { Dots, Stripes };

struct GiftLook {
    Ramp paper, ribbon;
    Pattern pattern;
};

// The box in design units: its body's centre x, bottom edge and half sizes.
// The lid overhangs the body and the bow rises about 8 units above it.
struct GiftBox {
    double cx, bottom, halfWidth, halfHeight;
};

// Paints a shape, both given in design units, onto whatever canvas the
// caller maps them to.
using DesignFill = std::function<void(const Sdf&, const Shader&)>;

void paintGift(const DesignFill& fill, const GiftBox& box, const GiftLook& look);
