// The show's colours: one ramp of five named shades per material, from the
// darkest (the outline on the shadow side) to the shine, and the one light
// every picture is lit by: the moon's, from the upper right. The sprites
// written as text grids name these shades; the large pictures painted by
// shapes take their colours from the same ramps.
#pragma once

#include "canvas.h"

struct Ramp {
    Rgb dark, shade, base, lit, shine;
};

// Where the light comes from, as seen on the screen (y grows downwards), and
// in three dimensions with z towards the viewer.
inline const Vec2 kLightFrom = {0.6, -0.8};
struct Light3 {
    double x, y, z;
};
inline const Light3 kLight3 = {0.48, -0.6, 0.64};

// How much a surface with normal (nx, ny, nz) faces the light, 0 to 1.
inline double facingLight(double nx, double ny, double nz) {
    return std::max(0.0, nx * kLight3.x + ny * kLight3.y + nz * kLight3.z);
}

// How much the point p of a ball around c, of radii rx and ry, faces the
// light; and a point of an upright cylinder at across (-1 at its left edge,
// 1 at its right).
inline double ballLight(Vec2 p, Vec2 c, double rx, double ry) {
    double nx = (p.x - c.x) / rx, ny = (p.y - c.y) / ry;
    double nz = std::sqrt(std::max(0.0, 1 - nx * nx - ny * ny));
    return facingLight(nx, ny, nz);
}
inline double cylinderLight(double across) {
    double u = std::clamp(across, -1.0, 1.0);
    return facingLight(u, 0, std::sqrt(1 - u * u));
}

inline const Ramp kCoatRed = {hex(0x4a0818), hex(0x8c1024), hex(0xcc2230), hex(0xf04838),
                              hex(0xff8a70)};
inline const Ramp kTrimWhite = {hex(0x4e5880), hex(0x98a4c8), hex(0xd0d8ec), hex(0xf4f6fc),
                                hex(0xffffff)};
inline const Ramp kSkin = {hex(0x6a2c24), hex(0xb8664e), hex(0xe89a78), hex(0xffc4a0),
                           hex(0xffe4d0)};
inline const Ramp kReindeer = {hex(0x2a160c), hex(0x5a3418), hex(0x8a5a30), hex(0xb88248),
                               hex(0xdcb07a)};
inline const Ramp kAntler = {hex(0x4a3a24), hex(0x8a7450), hex(0xc0a878), hex(0xe8d8b0),
                             hex(0xfff4dc)};
inline const Ramp kGold = {hex(0x4a2c04), hex(0x8a5a0c), hex(0xc8901c), hex(0xf0c040),
                           hex(0xfff0a0)};
inline const Ramp kNightBlue = {hex(0x060a1c), hex(0x141e44), hex(0x26346a), hex(0x3e5290),
                                hex(0x6a80b8)};
inline const Ramp kSpruce = {hex(0x06200e), hex(0x0e4620), hex(0x1c7a34), hex(0x3aa850),
                             hex(0x7ad47a)};
inline const Ramp kNoseRed = {hex(0x5a0008), hex(0xa00c14), hex(0xe01c1c), hex(0xff4830),
                              hex(0xff9a80)};
inline const Ramp kWax = {hex(0x1e0208), hex(0x5a0614), hex(0xa01024), hex(0xd82434),
                          hex(0xff6a58)};
inline const Ramp kSilver = {hex(0x363c4c), hex(0x687286), hex(0xa0aabc), hex(0xd4dae6),
                             hex(0xffffff)};
inline const Ramp kGiftBlue = {hex(0x0c1a4a), hex(0x1a3a8a), hex(0x2a5cc8), hex(0x4a86ec),
                               hex(0x9ac0ff)};
inline const Ramp kPlum = {hex(0x240a34), hex(0x4a1a68), hex(0x7a2a9e), hex(0xa24ac4),
                           hex(0xd090ec)};
inline const Ramp kMoonStone = {hex(0x5a5850), hex(0x8e8a80), hex(0xbcb6a6), hex(0xe6dec8),
                                hex(0xfff6dc)};
inline const Ramp kCloth = {hex(0x2a1a0c), hex(0x5a3a1c), hex(0x8a6234), hex(0xb88c54),
                            hex(0xdcb880)}; // the sack

// A shade of a ramp by its place, 0 (dark) to 4 (shine).
inline Rgb shadeOf(const Ramp& r, int i) {
    const Rgb* s[5] = {&r.dark, &r.shade, &r.base, &r.lit, &r.shine};
    return *s[std::clamp(i, 0, 4)];
}

// The shade of a ramp for a light level 0 to 1, in flat steps: a surface
// turned from the light takes the shade, one facing it the lit colour, and
// only the brightest part the shine. The dark is kept for outlines.
inline Rgb bandOf(const Ramp& r, double light) {
    return light < 0.35 ? r.shade : light < 0.72 ? r.base : light < 0.93 ? r.lit : r.shine;
}
