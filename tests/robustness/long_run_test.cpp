// The last scene never ends: it must keep burning with the show's own data
// on the full screen far past the point where the greetings' 16-bit
// position wraps, and bring the greetings up from below once more.
#include "scenes/scenes.h"

#include "support/fixtures.h"

#include <gtest/gtest.h>

#include <map>

namespace {

constexpr int kFrames = 70000;
constexpr int kWrap = 32768; // frames after which the greetings' y repeats
constexpr int kGreetingsX = 370;

// Right of the candlestick and its flames only the greetings are drawn.
std::vector<Uint32> greetingsColumn(const SDL_Surface* screen) {
    std::vector<Uint32> words;
    for (int y = 0; y < screen->h; ++y) {
        for (int x = kGreetingsX; x < screen->w; ++x) {
            words.push_back(wordAt(screen, x, y));
        }
    }
    return words;
}

bool allBlack(const std::vector<Uint32>& words) {
    for (Uint32 w : words) {
        if (w != 0) {
            return false;
        }
    }
    return true;
}

Uint32 demoTimeOf(int frame) {
    return 2000u + (Uint32)((Sint64)frame * 1000 / 60);
}

} // namespace

TEST(LongRun, LastSceneBurns70000FramesAndTheGreetingsRiseAgainAfterTheWrap) {
    enterSourceTree();
    SDL_Surface* screen = makeScreenSurface(640, 480);
    const CandlestickPictures pictures = loadCandlestickPictures({"data", screen, Kernels::Fast});
    CandlestickState s;
    makeCandleSurfaces(pictures, s, Kernels::Fast);
    TestFrame at;
    // Frames of the scene's first rise, looked at again one wrap later.
    const int looks[] = {1, 2, 200, 400, 700};
    std::map<int, std::vector<Uint32>> firstRise;
    for (int frame = 1; frame <= kFrames; ++frame) {
        at.demoTime = demoTimeOf(frame);
        ASSERT_EQ(ljusstake(pictures, s, at.at(screen, 0, frame == 1)), 0) << frame;
        for (int look : looks) {
            if (frame == look) {
                firstRise[look] = greetingsColumn(screen);
            } else if (frame == look + kWrap) {
                EXPECT_EQ(greetingsColumn(screen), firstRise[look]) << "frame " << frame;
            }
        }
    }
    ASSERT_NE(pictures.iGreets, nullptr);
    EXPECT_TRUE(allBlack(firstRise[1])) << "the greetings start below the bottom edge";
    EXPECT_FALSE(allBlack(firstRise[400])) << "the greetings never showed";
    SDL_FreeSurface(screen);
}
