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

FlakeLayer layerOf(const SnowPictures& p, SnowfallState& s, int layer) {
    if (layer == kSmallFlakes) {
        return {p.flinga0.get(), s.px0, s.py0, 60, 0.2, 0.1};
    }
    return {p.flinga1.get(), s.px1, s.py1, 5, 0.4, 0.4};
}

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
        layer.py[i] = steppedInDouble(layer.py[i], layer.fall);
        layer.px[i] = steppedInDouble(layer.px[i], -layer.drift);
        blitAt(layer.sprite, screen, rectangleField(layer.px[i]), rectangleField(layer.py[i]));
    }
}

} // namespace

// ---- First frame: flakes start all over the screen, so it is already snowy ----------

void snoeBegin(SnowfallState& s, const ShowFrame& f) {
    const SnowPictures none;
    for (int layer : {kSmallFlakes, kLargeFlakes}) {
        const FlakeLayer flakes = layerOf(none, s, layer);
        scatterOverScreen(flakes.px, flakes.py, flakes.count, f.screen, f.random);
    }
}

// ---- Every frame ----------------------------------------------------------------

void snoe(const SnowPictures& p, SnowfallState& s, const ShowFrame& f, int layer) {
    if (layer == kSmallFlakes || layer == kLargeFlakes) {
        fallLayer(layerOf(p, s, layer), f.random, f.screen);
    }
}
