// Pictures finished pixel by pixel, as a pixel artist draws them: sprites
// written out as text grids of named colours, and the selective outline that
// sets a shape off the night on its shadow side only.
#pragma once

#include "canvas.h"
#include "ramps.h"

#include <string_view>
#include <vector>

// One character of a grid and the colour it stands for.
struct Ink {
    char key;
    Rgb colour;
};
using Legend = std::vector<Ink>;

// The legend of a ramp's five shades, dark to shine, under the characters
// of keys in that order; '.' leaves a shade out.
Legend rampInks(const Ramp& ramp, std::string_view keys);
Legend operator+(Legend a, const Legend& b);

// The show's named colours: each ramp's shades under characters of their
// own, the same in every grid (coat red qrRPp, trim white uwWVv, skin jkKJi,
// reindeer efFED, antler zaAZY, gold ogGOQ, cloth 8cC9%, spruce thHTU, gift
// blue lbBLI, silver 4sS56, Rudolph's nose ymM!*).
extern const Legend kShowInks;

// A crisp canvas of a text grid: one line a row, one character a pixel; '.'
// is the background and every other character must be in the legend. Lines
// before the first and after the last row that hold only blanks are left
// out, so a grid can be written as a raw string on lines of its own.
Canvas gridCanvas(std::string_view rows, const Legend& legend);

// Outlines every shape on the side turned from the light (the left and the
// bottom, the light coming from the upper right): an empty pixel whose right
// or upper neighbour is covered takes that neighbour's colour times
// darkness. The lit side keeps no outline.
void outlineShadowSide(Canvas& c, double darkness);
