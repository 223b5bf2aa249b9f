// What the letter intro keeps between frames.
#pragma once

#include <SDL.h>

struct LetterIntroState {
    int first = 1;
    Uint32 stid = 0; // demo time of the first call
    // One highlight ("f") and one base ("g") picture per letter, and the
    // bottle. NULL when a file is missing: that picture is never drawn.
    SDL_Surface* bf = nullptr;
    SDL_Surface* bg = nullptr;
    SDL_Surface* lf = nullptr;
    SDL_Surface* lg = nullptr;
    SDL_Surface* of = nullptr;
    SDL_Surface* og = nullptr;
    SDL_Surface* sf = nullptr;
    SDL_Surface* sg = nullptr;
    SDL_Surface* af = nullptr;
    SDL_Surface* ag = nullptr;
    SDL_Surface* flaska = nullptr;
};

extern LetterIntroState blossaState;
