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

SDL_Surface* baseImage(const LetterIntroState& s, int slot) {
    SDL_Surface* const images[kSlots] = {s.bg.get(), s.lg.get(), s.og.get(),
                                         s.sg.get(), s.sg.get(), s.ag.get()};
    return images[slot];
}

SDL_Surface* highlightImage(const LetterIntroState& s, int slot) {
    SDL_Surface* const images[kSlots] = {s.bf.get(), s.lf.get(), s.of.get(),
                                         s.sf.get(), s.sf.get(), s.af.get()};
    return images[slot];
}

void loadPictures(LetterIntroState& s, SDL_Surface* screen) {
    s.bf.reset(prepareBlitSprite(loadImage("data/bf.png"), screen));
    s.bg.reset(prepareBlitSprite(loadImage("data/bg.png"), screen));
    s.lf.reset(prepareBlitSprite(loadImage("data/lf.png"), screen));
    s.lg.reset(prepareBlitSprite(loadImage("data/lg.png"), screen));
    s.of.reset(prepareBlitSprite(loadImage("data/of.png"), screen));
    s.og.reset(prepareBlitSprite(loadImage("data/og.png"), screen));
    s.sf.reset(prepareBlitSprite(loadImage("data/sf.png"), screen));
    s.sg.reset(prepareBlitSprite(loadImage("data/sg.png"), screen));
    s.af.reset(prepareBlitSprite(loadImage("data/af.png"), screen));
    s.ag.reset(prepareBlitSprite(loadImage("data/ag.png"), screen));
    s.flaska.reset(prepareBlitSprite(loadImage("data/flaska.png"), screen));
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

void drawBaseRow(SDL_Surface* screen, const LetterIntroState& s) {
    for (int slot = 0; slot < kSlots; ++slot) {
        blitAt(baseImage(s, slot), screen, slotX(slot), kSlotY);
    }
}

void drawHighlight(SDL_Surface* screen, const LetterIntroState& s, int slot) {
    blitAt(highlightImage(s, slot), screen, slotX(slot), kSlotY);
}

} // namespace

int blossa(LetterIntroState& s, SDL_Surface* screen, Uint32 demoTime) {
    // First call: the clock starts before loading, so the loading time shows
    // up in the second frame's elapsed time.
    if (s.first) {
        s.stid = demoTime;
        loadPictures(s, screen);
        s.first = 0;
    }

    // The screen is never cleared: the base row drawn first is what puts out
    // the letter lit in an earlier frame.
    drawBaseRow(screen, s);

    const Uint32 elapsed = demoTime - s.stid;
    const int slot = litSlot(foldedTime(elapsed));
    if (slot >= 0) {
        drawHighlight(screen, s, slot);
    }

    // Finale on the unfolded time. The bottle's pixels stay on the screen
    // after its window, wherever nothing later covers them.
    if (bottleShown(elapsed)) {
        blitAt(s.flaska.get(), screen, kBottleX, kBottleY);
    } else if (wholeWordLit(elapsed)) {
        for (int i = 0; i < kSlots; ++i) {
            drawHighlight(screen, s, i);
        }
    }

    return elapsed > kBlossaMs ? 1 : 0;
}
