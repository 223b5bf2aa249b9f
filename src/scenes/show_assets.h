// What every show reads and none changes: the pictures of every scene,
// decoded from the data folder and made ready for the screen, the font, the
// palettes and the tables built from them. Loading them is all the work that
// draws no random numbers and prints nothing, so it happens ahead, before
// the first show or during the lead-in; a show's first frames only set up
// what follows from the show's own random numbers and clock.
#pragma once

#include "gfx/font.h"
#include "gfx/toolkit.h"
#include "scenes/scene_pictures.h"

#include <SDL.h>

#include <memory>
#include <string>

struct ShowAssets {
    Kernels kernels = Kernels::Fast; // the kernels the pictures were made ready for
    Font redfont;
    LetterPictures letters;
    SparklerPictures sparkler;
    LogoPictures logo;
    PlasmaTables plasma;
    TreePictures tree;
    MoonlitSkyPictures sky;
    WarpPictures warp;
    CandlestickPictures candles;
};

// Fills the sine tables (once for the process; again changes nothing), then
// loads every picture, palette and the font sheet from dataFolder, made
// ready to blit onto screen (which may be NULL: the screen's 0x00RRGGBB
// layout) with these kernels, and builds the tables. A file that is missing
// or refused leaves its picture NULL; never fails.
std::unique_ptr<ShowAssets> loadShowAssets(const std::string& dataFolder, SDL_Surface* screen,
                                           Kernels kernels = Kernels::Fast);
