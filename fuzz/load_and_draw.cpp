// Each stage loads the file with one loader and draws the result as the
// scenes do: whole blits of pictures as loaded and as prepared, parts of a
// sheet, scaled pixel sprites, seeds stamped onto an 8-bit flame, a palette
// installed and shown, and text in the font.
#include "load_and_draw.h"

#include "shell/music.h"

#include "gfx/font.h"
#include "gfx/toolkit.h"
#include "scenes/candle_flame.h"

namespace {

std::string sizeOf(const SDL_Surface* s) {
    return s == nullptr ? "-" : std::to_string(s->w) + "x" + std::to_string(s->h);
}

// An effect surface as the plasma and the flames make them.
SDL_Surface* makeEightBitSurface() {
    return SDL_CreateRGBSurface(0, 40, 128, 8, 0, 0, 0, 0);
}

// loadImage: drawn as loaded (snow, warp pictures), then keyed and prepared
// (letters, logo, tree, greetings; the candlestick's key is green), whole
// and in parts (the sparkler, the logo), at the screen's edges too.
std::string pictureStage(const char* path, SDL_Surface* screen) {
    SDL_Surface* picture = loadImage(path);
    const std::string outcome = sizeOf(picture);
    if (picture == nullptr) {
        return outcome;
    }
    blitAt(picture, screen, 10, 10);
    blitAt(picture, screen, -picture->w / 2, 470);
    setColourKey(picture, picture->w % 2 == 0 ? 0 : 0x00ff00);
    picture = prepareBlitSprite(picture, screen);
    blitAt(picture, screen, 600, -5);
    blitPartAt(picture, 2, 3, 20, 300, screen, 100, 100);
    SDL_FreeSurface(picture);
    return outcome;
}

// loadPixelSprite: drawn pixel by pixel at the scales the star field, the
// star scatter and the warp zoom use, partly off the screen too.
std::string pixelSpriteStage(const char* path, SDL_Surface* screen) {
    SDL_Surface* sprite = loadPixelSprite(path);
    const std::string outcome = sizeOf(sprite);
    if (sprite == nullptr) {
        return outcome;
    }
    for (float step : {1.0f / 64, 0.5f, 1.0f, 1.5f}) {
        blitScaleDown(screen, sprite, step, 300, 200);
    }
    setColourKey(sprite, 0);
    blitScaleDown(screen, sprite, 0.5f, -sprite->w, 470 - sprite->h);
    SDL_FreeSurface(sprite);
    return outcome;
}

// loadBitmap: the flame seed stamped onto an 8-bit heat surface, which is
// then shown, and the santas, keyed and prepared.
std::string bitmapStage(const char* path, SDL_Surface* screen) {
    SDL_Surface* bitmap = loadBitmap(path);
    const std::string outcome = sizeOf(bitmap);
    if (bitmap == nullptr) {
        return outcome;
    }
    setColourKey(bitmap, 0);
    SDL_Surface* flame = makeEightBitSurface();
    if (flame != nullptr) {
        for (double angle : {0.0, 2.0, 4.0}) {
            const FlameStamp at = flameStampPlace(angle, flame->w, flame->h, bitmap->w, bitmap->h);
            blitAt(bitmap, flame, at.x, at.y);
        }
        blitAt(flame, screen, 62, 84);
        SDL_FreeSurface(flame);
    }
    bitmap = prepareBlitSprite(bitmap, screen);
    blitAt(bitmap, screen, 320, 240);
    SDL_FreeSurface(bitmap);
    return outcome;
}

// skapaPalett: installed on an 8-bit surface that is then shown. Colour 0
// is set to (1, 2, 3) beforehand, which none of our palettes starts with,
// so a change tells that a palette was installed.
std::string paletteStage(const char* path, SDL_Surface* screen) {
    SDL_Surface* surface = makeEightBitSurface();
    if (surface == nullptr) {
        return "-";
    }
    SDL_Color unset[256];
    for (SDL_Color& c : unset) {
        c = {1, 2, 3, 0};
    }
    SDL_SetColors(surface, unset, 0, 256);
    skapaPalett(surface, path);
    const SDL_Color first = surface->format->palette->colors[0];
    const bool installed = first.r != 1 || first.g != 2 || first.b != 3;
    Uint8* pixels = static_cast<Uint8*>(surface->pixels);
    for (int i = 0; i < surface->pitch * surface->h; ++i) {
        pixels[i] = (Uint8)i;
    }
    blitAt(surface, screen, 400, 300);
    SDL_FreeSurface(surface);
    return installed ? "installed" : "-";
}

// loadFontSheet: text with every kind of glyph, wrapped, and starting off
// the screen's left and top edges.
std::string fontStage(const char* path, SDL_Surface* screen) {
    Font font = {};
    fillFontstr(font);
    loadFontSheet(font, path);
    const std::string outcome = sizeOf(font.surface.get());
    const char* text = "god jul och gott nytt \xe5r, \xe4 \xf6 ?! 0123456789 ABC";
    blitString(text, 300, 400, 640, screen, font);
    blitString(text, -100, -10, 0, screen, font);
    return outcome;
}

struct Stage {
    const char* name;
    std::string (*run)(const char* path, SDL_Surface* screen);
};

// The music player, without a sound device: the file as the track (played
// from the top, from the warp's place, and across the loop's end) and as its
// own loop file. The player keeps quiet about what it refuses.
std::string musicStage(const char* path, SDL_Surface*) {
    exerciseMusicFile(path, path, 84383);
    return "ran";
}

const Stage kStages[] = {
    {"picture", pictureStage}, {"sprite", pixelSpriteStage}, {"bitmap", bitmapStage},
    {"palette", paletteStage}, {"font", fontStage},          {"music", musicStage},
};

} // namespace

SDL_Surface* makeFuzzScreen() {
    return SDL_CreateRGBSurface(SDL_SWSURFACE, 640, 480, 32, 0x00ff0000, 0x0000ff00, 0x000000ff, 0);
}

std::string loadAndDrawEverywhere(const char* path, SDL_Surface* screen) {
    std::string outcomes;
    for (const Stage& stage : kStages) {
        if (!outcomes.empty()) {
            outcomes += ' ';
        }
        outcomes.append(stage.name).append("=").append(stage.run(path, screen));
    }
    return outcomes;
}
