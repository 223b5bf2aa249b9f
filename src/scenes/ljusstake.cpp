// Placeholder until the scene is written: reports finished at once.
#include "scenes/scenes.h"

int ljusstake(SDL_Surface*, Uint32) { return 0; }
