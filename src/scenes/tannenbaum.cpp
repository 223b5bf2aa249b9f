// A still Christmas tree held for two seconds between the plasma and the
// moonlit sky. Whatever the picture leaves uncovered keeps the last plasma
// frame.
#include "scenes/scenes.h"

#include "gfx/toolkit.h"

// ---- Ahead --------------------------------------------------------------------

TreePictures loadTreePictures(const PictureSource& from) {
    return {from.blitSprite("data/tannenbaum.png")};
}

// ---- Every frame: the clock runs even when the picture is missing, so the show
// still moves on after two seconds ------------------------------------------------

int tannenbaum(const TreePictures& p, const ShowFrame& f) {
    // The frame that finishes draws nothing; the moonlit sky starts in it.
    if (f.elapsed > kTannenbaumMs) {
        return 1;
    }
    if (p.baum != nullptr) {
        blitSurface(p.baum.get(), nullptr, f.screen, nullptr, f.kernels);
    }
    return 0;
}
