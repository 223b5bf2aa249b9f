#include "drivers/seek_index.h"

#include <cstring>

void copyScreenOut(const SDL_Surface* screen, std::vector<Uint32>& pixels) {
    const size_t row = (size_t)screen->w;
    pixels.resize(row * (size_t)screen->h);
    for (int y = 0; y < screen->h; ++y) {
        memcpy(pixels.data() + (size_t)y * row,
               static_cast<const Uint8*>(screen->pixels) + (size_t)y * screen->pitch,
               row * sizeof(Uint32));
    }
}

void copyScreenIn(const std::vector<Uint32>& pixels, SDL_Surface* screen) {
    const size_t row = (size_t)screen->w;
    if (pixels.size() < row * (size_t)screen->h) {
        return;
    }
    for (int y = 0; y < screen->h; ++y) {
        memcpy(static_cast<Uint8*>(screen->pixels) + (size_t)y * screen->pitch,
               pixels.data() + (size_t)y * row, row * sizeof(Uint32));
    }
}

namespace {

// The screen before the first frame: black, as every platform opens it.
constexpr size_t kScreenWords = 640 * 480;

} // namespace

SeekIndex::SeekIndex(const ShowAssets& assets, unsigned seed, int64_t startSeconds)
    : clock_{0, startSeconds, 60},
      wholeShow_(clock_.wholeShowFrames()), run_{0, Show(assets, 0, seed),
                                                 std::vector<Uint32>(kScreenWords, 0)} {
    // A run that only leads to a moment says nothing.
    run_.show.console = nullptr;
    copies_.push_back(std::make_unique<Copy>(run_));
}

SeekIndex::~SeekIndex() = default;

int64_t SeekIndex::framesBuilt() const {
    return run_.frame;
}

bool SeekIndex::complete() const {
    return run_.frame >= wholeShow_;
}

void SeekIndex::stepRunOn(SDL_Surface* screen) {
    ShowPlatform unseen;
    ++run_.frame;
    stepShow(run_.show, screen, clock_.frameMs(run_.frame), unseen);
    if (run_.frame % kFramesBetweenCopies == 0) {
        copyScreenOut(screen, run_.pixels);
        copies_.push_back(std::make_unique<Copy>(run_));
    }
}

void SeekIndex::build(SDL_Surface* screen, const std::function<bool()>& moreTime) {
    if (complete() || !moreTime()) {
        return;
    }
    copyScreenOut(screen, asideBuffer_);
    copyScreenIn(run_.pixels, screen);
    do {
        stepRunOn(screen);
    } while (!complete() && moreTime());
    copyScreenOut(screen, run_.pixels);
    copyScreenIn(asideBuffer_, screen);
}

const SeekIndex::Copy& SeekIndex::latestCopyUpTo(int64_t frame) const {
    // The copies lie kFramesBetweenCopies apart from frame 0 on.
    size_t k = (size_t)(frame / kFramesBetweenCopies);
    if (k >= copies_.size()) {
        k = copies_.size() - 1;
    }
    return *copies_[k];
}

Show SeekIndex::reach(int64_t n, SDL_Surface* screen) {
    const int64_t before = n < 1 ? 0 : n - 1;
    if (before >= run_.frame) {
        // Past what is built: the run itself goes on to it.
        copyScreenIn(run_.pixels, screen);
        while (run_.frame < before) {
            stepRunOn(screen);
        }
        copyScreenOut(screen, run_.pixels);
        return run_.show;
    }
    const Copy& from = latestCopyUpTo(before);
    Show show = from.show;
    copyScreenIn(from.pixels, screen);
    ShowPlatform unseen;
    for (int64_t k = from.frame + 1; k <= before; ++k) {
        stepShow(show, screen, clock_.frameMs(k), unseen);
    }
    return show;
}
