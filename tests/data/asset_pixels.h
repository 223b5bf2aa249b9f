// Loading the show's data files the way the show does, and reading their
// pixels whatever their format.
#pragma once

#include <SDL.h>
#include <SDL_image.h>

#include <memory>
#include <string>

struct SurfaceFree {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceFree>;

inline std::string dataPath(const std::string& name) {
    return std::string(SNOLK_SOURCE_DIR) + "/data/" + name;
}

inline Surface loadBmpFile(const std::string& path) {
    return Surface(SDL_LoadBMP_RW(SDL_RWFromFile(path.c_str(), "rb"), 1));
}

inline Surface loadImageFile(const std::string& path) {
    return Surface(IMG_Load(path.c_str()));
}

// BMPs go through SDL_LoadBMP_RW, everything else through IMG_Load.
inline Surface loadAsset(const std::string& path) {
    bool bmp = path.size() > 4 && path.compare(path.size() - 4, 4, ".bmp") == 0;
    return bmp ? loadBmpFile(path) : loadImageFile(path);
}

inline Uint32 rawPixel(const SDL_Surface* s, int x, int y) {
    const Uint8* p =
        static_cast<const Uint8*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
    switch (s->format->BytesPerPixel) {
    case 1:
        return *p;
    case 2:
        return *reinterpret_cast<const Uint16*>(p);
    case 3:
        return Uint32(p[0]) | Uint32(p[1]) << 8 | Uint32(p[2]) << 16;
    default:
        return *reinterpret_cast<const Uint32*>(p);
    }
}

// The pixel as 0xAARRGGBB (alpha 255 for formats without alpha).
inline Uint32 argbAt(const SDL_Surface* s, int x, int y) {
    Uint8 r, g, b, a;
    SDL_GetRGBA(rawPixel(s, x, y), s->format, &r, &g, &b, &a);
    return Uint32(a) << 24 | Uint32(r) << 16 | Uint32(g) << 8 | b;
}

inline Uint32 rgbAt(const SDL_Surface* s, int x, int y) {
    return argbAt(s, x, y) & 0xffffff;
}

// Every data file the generator writes.
inline const char* const kGeneratedFiles[] = {
    "020.bmp",    "bf.png",          "bg.png",          "lf.png",       "lg.png",
    "of.png",     "og.png",          "sf.png",          "sg.png",       "af.png",
    "ag.png",     "flaska.png",      "tb.png",          "tbub.png",     "krx4.png",
    "7.png",      "weinPalette.bmp", "tannenbaum.png",  "256MOONE.PNG", "litenapanap.png",
    "tomte0.bmp", "tomte1.bmp",      "tomte2.bmp",      "flinga0.png",  "flinga1.png",
    "star.png",   "tomtewarp0.png",  "tomtewarp.png",   "tomtebak.png", "black.png",
    "paket0.png", "paket1.png",      "firePattern.bmp", "Ljus.gif",     "firePalette.bmp",
    "greets.png",
};
