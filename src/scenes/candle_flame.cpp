// One candle flame on a small 8-bit heat surface: a hot seed is stamped near
// the bottom three times at wobbling places, and the smoothing makes the heat
// rise, spread and cool, so the seed grows into a flickering flame.
#include "scenes/candle_flame.h"

#include "gfx/toolkit.h"
#include "scenes/scenes.h"

#include <cmath>
#include <cstring>

void flameStampAngles(int t, float phase, double angles[3]) {
    // NOTE: the first and third angles are summed in single precision (the
    // int quotient meets a float phase) and only then widened; the second is
    // double throughout. The jumps come from truncating integer division.
    angles[0] = (double)((float)(t / 80) + phase);
    angles[1] = t * 3.5 / 80 + (double)phase;
    // NOTE: (-t) / 400 truncates toward zero, so it equals -(t / 400); this
    // form stays defined for the most negative t as well.
    angles[2] = (double)(phase + (float)(-(t / 400)));
}

FlameStamp flameStampPlace(double angle, int w, int h, int pw, int ph) {
    // NOTE: whole halves (int division), the sum in double, then truncation
    // toward zero.
    const int x = (int)(4 * sin(angle) + w / 2 - pw / 2);
    const int y = (int)(4 * cos(angle) + (h - 6) - ph / 2);
    return {x, y};
}

// ---- Ahead --------------------------------------------------------------------

FlamePictures loadFlamePictures(const PictureSource& from) {
    FlamePictures p;
    p.pattern.reset(loadBitmap(from.path("data/firePattern.bmp").c_str()));
    setColourKey(p.pattern.get(), 0);
    p.palette = readPalette(from.path("data/firePalette.bmp").c_str());
    return p;
}

void makeOwnSeeds(const FlamePictures& p, CandleFlameState& s, Kernels kernels) {
    // The plain kernels stamp the shared seed, as the show always did.
    for (OwnedSurface& seed : s.ownSeeds) {
        seed.reset(kernels == Kernels::Fast ? copyOfSurface(p.pattern.get()) : nullptr);
    }
    s.scratch.resize(40 * 128);
}

namespace {

// The flame's own seed; the shared one when its copy could not be made.
SDL_Surface* seedFor(const FlamePictures& p, const CandleFlameState& s, int flame) {
    const bool own = flame >= 0 && flame < kFlames && s.ownSeeds[flame];
    return own ? s.ownSeeds[flame].get() : p.pattern.get();
}

void stampSeeds(const FlamePictures& p, const CandleFlameState& s, int flame, SDL_Surface* surface,
                int t, float phase) {
    SDL_Surface* pattern = seedFor(p, s, flame);
    if (pattern == nullptr) {
        return;
    }
    double angles[3];
    flameStampAngles(t, phase, angles);
    for (double angle : angles) {
        const FlameStamp at =
            flameStampPlace(angle, surface->w, surface->h, pattern->w, pattern->h);
        blitAt(pattern, surface, at.x, at.y);
    }
}

Uint8* scratchFor(std::vector<Uint8>& scratch, int w, int h) {
    const size_t needed = (size_t)w * (size_t)h;
    if (scratch.size() < needed) {
        scratch.resize(needed);
    }
    return scratch.data();
}

void smoothInPlace(std::vector<Uint8>& buffer, SDL_Surface* surface, Kernels kernels) {
    const int w = surface->w;
    const int h = surface->h;
    Uint8* scratch = scratchFor(buffer, w, h);
    Uint8* pixels = static_cast<Uint8*>(surface->pixels);
    const auto smooth = kernels == Kernels::Literal ? smoothFlame : smoothFlameFast;
    smooth(pixels, scratch, w, h, surface->pitch);
    // Row by row, so the padding of a surface whose rows are longer than w
    // bytes is left alone.
    for (int y = 0; y < h; ++y) {
        memcpy(pixels + (size_t)y * surface->pitch, scratch + (size_t)y * w, (size_t)w);
    }
}

} // namespace

// ---- Every frame ----------------------------------------------------------------

void nextCandleFrame(const FlamePictures& p, CandleFlameState& s, int flame, SDL_Surface* surface,
                     int demoTime, float phase, Kernels kernels) {
    // Heat is one byte per pixel; any other surface is left untouched.
    if (surface == nullptr || surface->format->BytesPerPixel != 1) {
        return;
    }
    stampSeeds(p, s, flame, surface, demoTime, phase);
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) {
        return;
    }
    smoothInPlace(s.scratch, surface, kernels);
    if (SDL_MUSTLOCK(surface)) {
        SDL_UnlockSurface(surface);
    }
}
