#include "scenes/scene_state.h"
#include "scenes/scenes.h"

#include "gfx/random.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <cmath>
#include <cstdlib>

namespace {

constexpr Uint32 kWhite = 0xffffff;

struct Object {
    float x, y, z;
    int kind;
};

// What a reset draws from the random sequence: x, y, then z.
Object expectedReset() {
    Object o{};
    o.x = showRand() % 640 - 320;
    o.y = showRand() % 480 - 240;
    o.z = showRand() % 100 + 1;
    return o;
}

// What a respawn draws: x, y, then the kind.
Object expectedRespawn() {
    Object o{};
    o.z = 100;
    o.x = showRand() % 640 - 320;
    o.y = showRand() % 480 - 240;
    const int r = showRand() % 100;
    o.kind = (r == 1 || r == 2) ? r : 0;
    return o;
}

void expectObject(int i, const Object& o) {
    EXPECT_EQ(star3dState().starx[i], o.x) << i;
    EXPECT_EQ(star3dState().stary[i], o.y) << i;
    EXPECT_EQ(star3dState().starz[i], o.z) << i;
    EXPECT_EQ(star3dState().start[i], o.kind) << i;
}

// First call from a folder without data: no sprites, a randomised field.
void startWithoutData(SDL_Surface* screen) {
    ScratchFolder folder;
    star3d(screen, 0, 0, 0.0f);
}

// Field coordinates that project onto (px, py) at distance 64 (step 1).
void place(int i, int px, int py) {
    StarFieldState s = star3dState();
    s.starx[i] = 2.0f * (px - 320);
    s.stary[i] = 2.0f * (py - 270);
    s.starz[i] = 64;
    s.start[i] = 0;
    setStar3dState(s);
}

SDL_Surface* solidSprite(int size, Uint32 colour) {
    SDL_Surface* s = makeScreenSurface(size, size);
    SDL_FillRect(s, nullptr, colour);
    return s;
}

} // namespace

// The first call resets whatever it is asked: every object a star, three
// draws per object in the order x, y, z.
TEST(Star3d, FirstCallRandomisesEveryObjectAsAStar) {
    SDL_Surface* screen = makeScreenSurface(640, 480);
    showSrand(11);
    startWithoutData(screen);
    const int afterCall = showRand();
    showSrand(11);
    for (int i = 0; i < kFieldObjects; ++i) {
        expectObject(i, expectedReset());
    }
    EXPECT_EQ(showRand(), afterCall);
    EXPECT_EQ(star3dState().first, 0);
    SDL_FreeSurface(screen);
}

// With advance, an object reset to z = 1 reaches 0 and respawns at once,
// drawing its numbers before the next object is reset.
TEST(Star3d, ResetThenAdvanceRespawnsInObjectOrder) {
    SDL_Surface* screen = makeScreenSurface(640, 480);
    startWithoutData(screen);
    int respawns = 0;
    for (unsigned seed = 1; seed < 100 && respawns == 0; ++seed) {
        showSrand(seed);
        star3d(screen, 1, 1, 0.0f);
        const int afterCall = showRand();
        showSrand(seed);
        for (int i = 0; i < kFieldObjects; ++i) {
            Object o = expectedReset();
            o.z -= 1;
            if (o.z <= 0) {
                o = expectedRespawn();
                ++respawns;
            }
            expectObject(i, o);
        }
        ASSERT_EQ(showRand(), afterCall) << seed;
    }
    EXPECT_GT(respawns, 0);
    SDL_FreeSurface(screen);
}

// Gifts come only from respawns, one in a hundred for each kind, and keep
// their kind until the next respawn or reset.
TEST(Star3d, GiftsComeOnlyFromRespawns) {
    SDL_Surface* screen = makeScreenSurface(640, 480);
    startWithoutData(screen);
    int gifts[3] = {};
    for (unsigned seed = 1; seed <= 40; ++seed) {
        StarFieldState s = star3dState();
        std::fill(s.starz, s.starz + kFieldObjects, 1.0f);
        setStar3dState(s);
        showSrand(seed);
        star3d(screen, 0, 1, 0.0f);
        showSrand(seed);
        for (int i = 0; i < kFieldObjects; ++i) {
            const Object o = expectedRespawn();
            expectObject(i, o);
            ++gifts[o.kind];
        }
    }
    EXPECT_GT(gifts[1], 0);
    EXPECT_GT(gifts[2], 0);

    // A gift keeps its kind while it flies; a reset makes every object a star.
    StarFieldState gift = star3dState();
    gift.start[5] = 2;
    gift.starz[5] = 50;
    setStar3dState(gift);
    star3d(screen, 0, 1, 0.0f);
    EXPECT_EQ(star3dState().start[5], 2);
    star3d(screen, 1, 0, 0.0f);
    for (int i = 0; i < kFieldObjects; ++i) {
        EXPECT_EQ(star3dState().start[i], 0);
    }
    SDL_FreeSurface(screen);
}

// The turn uses the old x for the new y, in double, stored as float; zero
// and negative angles do not turn at all.
TEST(Star3d, TurnsOnlyForPositiveAngles) {
    SDL_Surface* screen = makeScreenSurface(640, 480);
    startWithoutData(screen);
    StarFieldState field = star3dState();
    std::fill(field.starx, field.starx + kFieldObjects, 100.0f);
    std::fill(field.stary, field.stary + kFieldObjects, 50.0f);
    std::fill(field.starz, field.starz + kFieldObjects, 50.0f);
    setStar3dState(field);
    star3d(screen, 0, 0, 0.0f);
    star3d(screen, 0, 0, -0.1f);
    EXPECT_EQ(star3dState().starx[7], 100.0f);
    EXPECT_EQ(star3dState().stary[7], 50.0f);
    const float angle = 0.03f;
    star3d(screen, 0, 0, angle);
    const double c = cos((double)angle);
    const double s = sin((double)angle);
    EXPECT_EQ(star3dState().starx[7], (float)(c * 100.0 - s * 50.0));
    EXPECT_EQ(star3dState().stary[7], (float)(s * 100.0 + c * 50.0));
    SDL_FreeSurface(screen);
}

// Only the sprite's top-left corner is tested, against 0 < px <= 639 and
// 0 < py <= 479; at distance 64 the sprite is drawn at its own size.
TEST(Star3d, DrawsOnlyObjectsWhoseCornerIsOnTheScreen) {
    SDL_Surface* screen = makeScreenSurface(640, 480);
    startWithoutData(screen);
    StarFieldState withStar = star3dState();
    withStar.bild[0] = solidSprite(4, kWhite);
    setStar3dState(withStar);
    const int outside[][2] = {{0, 100}, {100, 0}, {640, 100}, {100, 480}, {-5, 100}};
    for (int i = 0; i < kFieldObjects; ++i) {
        place(i, outside[i % 5][0], outside[i % 5][1]);
    }
    star3d(screen, 0, 0, 0.0f);
    EXPECT_EQ(countWords(screen, kWhite), 0);

    place(0, 639, 100); // only column 639 is on the screen
    place(1, 200, 479); // only row 479
    place(2, 100, 100); // a whole 3 x 3 copy
    star3d(screen, 0, 0, 0.0f);
    EXPECT_EQ(countWords(screen, kWhite), 3 + 3 + 9);
    EXPECT_EQ(wordAt(screen, 639, 102), kWhite);
    EXPECT_EQ(wordAt(screen, 202, 479), kWhite);
    EXPECT_EQ(wordAt(screen, 100, 100), kWhite);
    EXPECT_EQ(wordAt(screen, 102, 102), kWhite);

    // The projection truncates toward zero: -0.5 lands on column 320. At
    // z = 32 the sprite is sampled every half pixel, 7 x 7 pixels.
    StarFieldState nearer = star3dState();
    nearer.starx[3] = -0.5f;
    nearer.stary[3] = -0.5f;
    nearer.starz[3] = 32;
    setStar3dState(nearer);
    SDL_FillRect(screen, nullptr, 0);
    star3d(screen, 0, 0, 0.0f);
    EXPECT_EQ(countWords(screen, kWhite), 3 + 3 + 9 + 7 * 7);
    EXPECT_EQ(wordAt(screen, 320, 270), kWhite);
    EXPECT_EQ(wordAt(screen, 326, 276), kWhite);
    EXPECT_EQ(wordAt(screen, 319, 270), 0u);

    // Standing still, every call draws the same picture.
    const auto once = allWords(screen);
    SDL_FillRect(screen, nullptr, 0);
    star3d(screen, 0, 0, 0.0f);
    EXPECT_EQ(allWords(screen), once);
    SDL_FreeSurface(screen);
}
