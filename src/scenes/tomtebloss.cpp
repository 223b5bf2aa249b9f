// Placeholder until the scene is written: reports finished at once.
#include "scenes/scenes.h"

int tomtebloss(SDL_Surface*, int, int, Uint32) { return 1; }
