// Snowflakes fall down the night sky while drifting to the left: many small
// slow ones and a few large fast ones. A flake that has left the screen at the
// bottom or on the left starts again just above the top edge.
#include "scenes/scene_state.h"
#include "scenes/scenes.h"

#include "gfx/random.h"
#include "gfx/toolkit.h"

#include <cstdlib>

namespace {
SnowfallState state;
} // namespace

const SnowfallState& snoeState() {
    return state;
}

void setSnoeState(const SnowfallState& replacement) {
    state = replacement;
}

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
    if (layer == 0) {
        return {s.flinga0, s.px0, s.py0, 60, 0.2, 0.1};
    }
    return {s.flinga1, s.px1, s.py1, 5, 0.4, 0.4};
}

// ---- First call ---------------------------------------------------------------

void loadFlakes(SnowfallState& s, SDL_Surface* screen) {
    s.flinga0 = loadImage("data/flinga0.png");
    s.flinga1 = loadImage("data/flinga1.png");
    setColourKey(s.flinga0, 0);
    setColourKey(s.flinga1, 0);
    s.flinga0 = prepareBlitSprite(s.flinga0, screen);
    s.flinga1 = prepareBlitSprite(s.flinga1, screen);
}

// Flakes start all over the screen, so the first frame is already snowy.
void placeFlakes(const FlakeLayer& layer, const SDL_Surface* screen) {
    for (int i = 0; i < layer.count; ++i) {
        layer.px[i] = (float)(showRand() % screen->w);
        layer.py[i] = (float)(showRand() % screen->h);
    }
}

// ---- Every call ---------------------------------------------------------------

void fallLayer(SnowfallState& s, const FlakeLayer& layer, SDL_Surface* screen) {
    const int width = widthOf(layer.sprite);
    const int height = heightOf(layer.sprite);
    s.rt.w = (Uint16)width;
    s.rt.h = (Uint16)height;
    for (int i = 0; i < layer.count; ++i) {
        // NOTE: the bottom bound includes the edge, the left one does not.
        if (layer.py[i] >= screen->h || layer.px[i] < -width) {
            // Back above the top edge, not at the right: seen again next call.
            layer.py[i] = (float)-height;
            layer.px[i] = (float)(showRand() % screen->w);
            continue;
        }
        // NOTE: each step is taken in double precision and stored back as a float.
        layer.py[i] = (float)((double)layer.py[i] + layer.fall);
        layer.px[i] = (float)((double)layer.px[i] - layer.drift);
        // NOTE: truncation toward zero into the 16-bit rectangle fields.
        s.rt.x = (Sint16)(int)layer.px[i];
        s.rt.y = (Sint16)(int)layer.py[i];
        blitAt(layer.sprite, screen, s.rt.x, s.rt.y);
    }
}

} // namespace

void snoe(SDL_Surface* screen, int layer) {
    SnowfallState& s = state;
    if (s.first == 1) {
        loadFlakes(s, screen);
        placeFlakes(layerOf(s, 0), screen);
        placeFlakes(layerOf(s, 1), screen);
        s.first = 0;
    }
    if (layer == 0 || layer == 1) {
        fallLayer(s, layerOf(s, layer), screen);
    }
}
