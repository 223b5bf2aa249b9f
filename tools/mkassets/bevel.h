// Embossed lettering: a coverage mask lit as a rounded relief, with an
// optional dark outline, so text reads as solid metal, wax or candy.
#pragma once

#include "canvas.h"
#include "text.h"

#include <functional>

struct Material {
    Rgb top, bottom;               // body colour, graded from the top of the mask down
    Rgb specular{1, 1, 1};         // highlight colour
    double shininess = 24;         // highlight tightness
    double ambient = 0.45;         // light that reaches every part
    double bevel = 3;              // blur radius (mask pixels) shaping the relief
    double depth = 1.5;            // how steep the relief is
    Rgb outline{0.06, 0, 0};       // dark rim that separates the letter from the scene
    double outlineWidth = 0;       // in mask pixels; 0 for none
    double sparkle = 0;            // strength of a grainy glitter in the body
    std::function<Rgb(Vec2)> body; // when set, the body colour at a mask pixel
};

// Blurs a mask by three box passes of the given radius.
std::vector<double> blurMask(const std::vector<double>& m, int w, int h, int radius);

// Paints the mask as an embossed material, lit from the upper right, into a
// canvas of the mask's size, then shrinks it by factor.
Canvas bevel(const TextMask& mask, const Material& mat, int factor);
