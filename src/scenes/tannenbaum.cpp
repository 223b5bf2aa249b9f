// A still Christmas tree held for two seconds between the plasma and the
// moonlit sky. Whatever the picture leaves uncovered keeps the last plasma
// frame.
#include "scenes/scenes.h"

#include "gfx/toolkit.h"

int tannenbaum(TreeState& s, SDL_Surface* screen, Uint32 demoTime) {
    // First call: the clock starts even when the picture is missing, so the
    // show still moves on after two seconds.
    if (s.first) {
        s.baum.reset(prepareBlitSprite(loadImage("data/tannenbaum.png"), screen));
        s.stime = demoTime;
        s.first = 0;
    }

    // The frame that finishes draws nothing; the moonlit sky starts in it.
    if (demoTime - s.stime > kTannenbaumMs) {
        return 1;
    }
    if (s.baum != nullptr) {
        SDL_UpperBlit(s.baum.get(), nullptr, screen, nullptr);
    }
    return 0;
}
