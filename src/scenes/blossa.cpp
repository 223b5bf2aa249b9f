// The opening: the word "blossa" in letter pictures across the top of the
// screen. A highlight runs along the letters three times, then a bottle shows
// up, the whole word flashes twice, and after 9.3 seconds the sparkler takes
// over.
#include "scenes/scenes.h"

#include "gfx/toolkit.h"

namespace {

constexpr int kSlots = 6;
constexpr Uint32 kCycle = kLetterCycleMs; // one run of the highlight along the word
constexpr int kBottleX = 100;
constexpr int kBottleY = 100;

// Top-left corner of letter slot 0 ... 5.
int slotX(int slot) {
    return 10 + 64 * slot;
}
constexpr int kSlotY = 10;

SDL_Surface* baseImage(const LetterPictures& s, int slot) {
    SDL_Surface* const images[kSlots] = {s.bg.get(), s.lg.get(), s.og.get(),
                                         s.sg.get(), s.sg.get(), s.ag.get()};
    return images[slot];
}

SDL_Surface* highlightImage(const LetterPictures& s, int slot) {
    SDL_Surface* const images[kSlots] = {s.bf.get(), s.lf.get(), s.of.get(),
                                         s.sf.get(), s.sf.get(), s.af.get()};
    return images[slot];
}

// The three runs of the highlight share one timeline. Each cycle includes
// its end (2400 folds to 2400, 2401 to 1); after the third the time is left
// as it is, past every slot's window, so nothing runs any more.
Uint32 foldedTime(Uint32 elapsed) {
    if (elapsed <= kCycle) {
        return elapsed;
    }
    if (elapsed <= 2 * kCycle) {
        return elapsed - kCycle;
    }
    if (elapsed <= 3 * kCycle) {
        return elapsed - 2 * kCycle;
    }
    return elapsed;
}

// The slot lit at folded time f, or -1. The "o" stays lit twice as long.
int litSlot(Uint32 folded) {
    const Uint32 windowEnds[kSlots] = {300, 600, 1200, 1500, 1800, 2100};
    for (int slot = 0; slot < kSlots; ++slot) {
        if (folded < windowEnds[slot]) {
            return slot;
        }
    }
    return -1;
}

bool bottleShown(Uint32 elapsed) {
    return elapsed > 3 * kCycle && elapsed < 8100;
}

bool wholeWordLit(Uint32 elapsed) {
    return (elapsed >= 8100 && elapsed <= 8400) || (elapsed > 8700 && elapsed <= 9000);
}

void drawBaseRow(const ShowFrame& f, const LetterPictures& s) {
    for (int slot = 0; slot < kSlots; ++slot) {
        blitAt(baseImage(s, slot), f.screen, slotX(slot), kSlotY, f.kernels);
    }
}

void drawHighlight(const ShowFrame& f, const LetterPictures& s, int slot) {
    blitAt(highlightImage(s, slot), f.screen, slotX(slot), kSlotY, f.kernels);
}

} // namespace

// ---- Ahead --------------------------------------------------------------------

LetterPictures loadLetterPictures(const PictureSource& from) {
    LetterPictures p;
    p.bf = from.blitSprite("data/bf.png");
    p.bg = from.blitSprite("data/bg.png");
    p.lf = from.blitSprite("data/lf.png");
    p.lg = from.blitSprite("data/lg.png");
    p.of = from.blitSprite("data/of.png");
    p.og = from.blitSprite("data/og.png");
    p.sf = from.blitSprite("data/sf.png");
    p.sg = from.blitSprite("data/sg.png");
    p.af = from.blitSprite("data/af.png");
    p.ag = from.blitSprite("data/ag.png");
    p.flaska = from.blitSprite("data/flaska.png");
    return p;
}

// ---- Every frame (the first needs nothing of its own) ------------------------------

int blossa(const LetterPictures& s, const ShowFrame& f) {
    // The screen is never cleared: the base row drawn first is what puts out
    // the letter lit in an earlier frame.
    drawBaseRow(f, s);

    const Uint32 elapsed = f.elapsed;
    const int slot = litSlot(foldedTime(elapsed));
    if (slot >= 0) {
        drawHighlight(f, s, slot);
    }

    // Finale on the unfolded time. The bottle's pixels stay on the screen
    // after its window, wherever nothing later covers them.
    if (bottleShown(elapsed)) {
        blitAt(s.flaska.get(), f.screen, kBottleX, kBottleY, f.kernels);
    } else if (wholeWordLit(elapsed)) {
        for (int i = 0; i < kSlots; ++i) {
            drawHighlight(f, s, i);
        }
    }

    return elapsed > kBlossaMs ? 1 : 0;
}
