// Santas in their sleighs fly leftwards across the night sky in three layers,
// the nearer ones larger and faster; one that has left on the left comes back
// at the right edge at a new height. On request they bob along a sine wave.
#include "scenes/scene_state.h"
#include "scenes/scenes.h"

#include "gfx/random.h"
#include "gfx/toolkit.h"

#include <array>
#include <cstdio>
#include <cstdlib>

namespace {
SantaFieldState state;
} // namespace

const SantaFieldState& tomtefieldState() {
    return state;
}

void setTomtefieldState(const SantaFieldState& replacement) {
    state = replacement;
}

namespace {

// One layer of santas: where they are, what they look like, how they move.
struct SantaLayer {
    SDL_Surface* sprite;
    float* px;
    float* py;
    int count;
    double step;     // pixels leftwards per call
    float amplitude; // bobbing height in pixels
    int k;           // sine index factor: 2 halves the wavelength
};

std::array<SantaLayer, 3> layersOf(SantaFieldState& s) {
    return {{
        {s.tomte0, s.px0, s.py0, 25, 0.2, 10.0f, 1},
        {s.tomte1, s.px1, s.py1, 10, 0.4, 20.0f, 2},
        {s.tomte2, s.px2, s.py2, 3, 1.5, 40.0f, 2},
    }};
}

// ---- First call ---------------------------------------------------------------

void loadSantas(SantaFieldState& s, SDL_Surface* screen) {
    s.tomte0 = loadBitmap("data/tomte0.bmp");
    s.tomte1 = loadBitmap("data/tomte1.bmp");
    s.tomte2 = loadBitmap("data/tomte2.bmp");
    setColourKey(s.tomte0, 0);
    setColourKey(s.tomte1, 0);
    setColourKey(s.tomte2, 0);
    s.tomte0 = prepareBlitSprite(s.tomte0, screen);
    s.tomte1 = prepareBlitSprite(s.tomte1, screen);
    s.tomte2 = prepareBlitSprite(s.tomte2, screen);
}

void placeSantas(const SantaLayer& layer, const SDL_Surface* screen) {
    for (int i = 0; i < layer.count; ++i) {
        layer.px[i] = (float)(showRand() % screen->w);
        layer.py[i] = (float)(showRand() % screen->h);
    }
}

// ---- Every call ---------------------------------------------------------------

// The phase follows the santa's drawn position, so a santa bobs as it flies.
Sint16 bobbedY(const SantaLayer& layer, float y, Sint16 x) {
    // NOTE: off the left edge the index is negative; it is reduced into 0 ... 255.
    const int v = layer.k * (x + widthOf(layer.sprite));
    const int index = ((v % 256) + 256) % 256;
    // NOTE: the truncated y plus the offset, summed in single precision and
    // truncated toward zero again (5 - 7.5 gives -2, not -3).
    return (Sint16)(int)((float)(int)y + layer.amplitude * sintab[index]);
}

void flyLayer(SantaFieldState& s, const SantaLayer& layer, SDL_Surface* screen, int wobble) {
    const int width = widthOf(layer.sprite);
    s.rt.w = (Uint16)width;
    s.rt.h = (Uint16)heightOf(layer.sprite);
    for (int i = 0; i < layer.count; ++i) {
        if (layer.px[i] <= -width) {
            // Back at the right edge at a new height; seen again from the next call.
            layer.px[i] = (float)screen->w;
            layer.py[i] = (float)(showRand() % screen->h);
            continue;
        }
        // NOTE: the step is taken in double precision and stored back as a float.
        layer.px[i] = (float)((double)layer.px[i] - layer.step);
        // NOTE: truncation toward zero into the 16-bit rectangle field.
        s.rt.x = (Sint16)(int)layer.px[i];
        s.rt.y = wobble == 0 ? (Sint16)(int)layer.py[i] : bobbedY(layer, layer.py[i], s.rt.x);
        blitAt(layer.sprite, screen, s.rt.x, s.rt.y);
    }
}

} // namespace

void tomtefield(SDL_Surface* screen, int wobble) {
    SantaFieldState& s = state;
    if (s.first == 1) {
        loadSantas(s, screen);
        for (const SantaLayer& layer : layersOf(s)) {
            placeSantas(layer, screen);
        }
        s.first = 0;
        sayLine("tomten har kommit");
    }
    for (const SantaLayer& layer : layersOf(s)) {
        flyLayer(s, layer, screen, wobble);
    }
}
