// Santas in their sleighs fly leftwards across the night sky in three layers,
// the nearer ones larger and faster; one that has left on the left comes back
// at the right edge at a new height. On request they bob along a sine wave.
#include "scenes/scenes.h"

#include "gfx/random.h"
#include "gfx/toolkit.h"

#include <array>

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

std::array<SantaLayer, 3> layersOf(const SantaPictures& p, SantaFieldState& s) {
    return {{
        {p.tomte0.get(), s.px0, s.py0, 25, 0.2, 10.0f, 1},
        {p.tomte1.get(), s.px1, s.py1, 10, 0.4, 20.0f, 2},
        {p.tomte2.get(), s.px2, s.py2, 3, 1.5, 40.0f, 2},
    }};
}

// The phase follows the santa's drawn position, so a santa bobs as it flies.
Sint16 bobbedY(const SantaLayer& layer, float y, Sint16 x) {
    // NOTE: off the left edge the index is negative; it is reduced into 0 ... 255.
    const int v = layer.k * (x + widthOf(layer.sprite));
    const int index = ((v % 256) + 256) % 256;
    // NOTE: the truncated y plus the offset, summed in single precision and
    // truncated toward zero again (5 - 7.5 gives -2, not -3).
    return (Sint16)(int)((float)(int)y + layer.amplitude * sintab[index]);
}

void flyLayer(const SantaLayer& layer, ShowRandom& random, SDL_Surface* screen,
              SantaFlight flight) {
    const int width = widthOf(layer.sprite);
    for (int i = 0; i < layer.count; ++i) {
        if (layer.px[i] <= -width) {
            // Back at the right edge at a new height; seen again from the next call.
            layer.px[i] = (float)screen->w;
            layer.py[i] = (float)(random.rand() % screen->h);
            continue;
        }
        layer.px[i] = steppedInDouble(layer.px[i], -layer.step);
        const Sint16 x = rectangleField(layer.px[i]);
        const Sint16 y = flight == SantaFlight::Level ? rectangleField(layer.py[i])
                                                      : bobbedY(layer, layer.py[i], x);
        blitAt(layer.sprite, screen, x, y);
    }
}

} // namespace

// ---- First frame ----------------------------------------------------------------

void tomtefieldBegin(const SantaPictures& p, SantaFieldState& s, const ShowFrame& f) {
    for (const SantaLayer& layer : layersOf(p, s)) {
        scatterOverScreen(layer.px, layer.py, layer.count, f.screen, f.random);
    }
    sayLine(f.console, "tomten har kommit");
}

// ---- Every frame ----------------------------------------------------------------

void tomtefield(const SantaPictures& p, SantaFieldState& s, const ShowFrame& f,
                SantaFlight flight) {
    for (const SantaLayer& layer : layersOf(p, s)) {
        flyLayer(layer, f.random, f.screen, flight);
    }
}
