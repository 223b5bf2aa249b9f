// Snowflakes fall down the night sky while drifting to the left: many small
// slow ones and a few large fast ones. A flake that has left the screen at the
// bottom or on the left starts again just above the top edge.
#include "scenes/scenes.h"

#include "gfx/random.h"
#include "gfx/toolkit.h"

namespace {

// One layer of flakes: where they are, what they look like, how they move.
struct FlakeLayer {
    SDL_Surface* sprite;
    float* px;
    float* py;
    int count;
    double fall;  // pixels down per call
    double drift; // pixels leftwards per call
};

FlakeLayer layerOf(SnowfallState& s, int layer) {
    if (layer == kSmallFlakes) {
        return {s.flinga0.get(), s.px0, s.py0, 60, 0.2, 0.1};
    }
    return {s.flinga1.get(), s.px1, s.py1, 5, 0.4, 0.4};
}

// ---- First call ---------------------------------------------------------------

// Flakes start all over the screen, so the first frame is already snowy.
void startSnow(SnowfallState& s, ShowRandom& random, SDL_Surface* screen) {
    s.flinga0 = keyedOnBlack(loadImage("data/flinga0.png"), screen);
    s.flinga1 = keyedOnBlack(loadImage("data/flinga1.png"), screen);
    for (int layer : {kSmallFlakes, kLargeFlakes}) {
        const FlakeLayer flakes = layerOf(s, layer);
        scatterOverScreen(flakes.px, flakes.py, flakes.count, screen, random);
    }
    s.first = 0;
}

// ---- Every call ---------------------------------------------------------------

void fallLayer(const FlakeLayer& layer, ShowRandom& random, SDL_Surface* screen) {
    const int width = widthOf(layer.sprite);
    const int height = heightOf(layer.sprite);
    for (int i = 0; i < layer.count; ++i) {
        // NOTE: the bottom bound includes the edge, the left one does not.
        if (layer.py[i] >= screen->h || layer.px[i] < -width) {
            // Back above the top edge, not at the right: seen again next call.
            layer.py[i] = (float)-height;
            layer.px[i] = (float)(random.rand() % screen->w);
            continue;
        }
        // NOTE: each step is taken in double precision and stored back as a float.
        layer.py[i] = (float)((double)layer.py[i] + layer.fall);
        layer.px[i] = (float)((double)layer.px[i] - layer.drift);
        // NOTE: truncation toward zero into the 16-bit rectangle fields.
        blitAt(layer.sprite, screen, (Sint16)(int)layer.px[i], (Sint16)(int)layer.py[i]);
    }
}

} // namespace

void snoe(SnowfallState& s, ShowRandom& random, SDL_Surface* screen, int layer) {
    if (s.first == 1) {
        startSnow(s, random, screen);
    }
    if (layer == kSmallFlakes || layer == kLargeFlakes) {
        fallLayer(layerOf(s, layer), random, screen);
    }
}
