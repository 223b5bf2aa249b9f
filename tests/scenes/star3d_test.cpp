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
Object expectedReset(ShowRandom& random) {
    Object o{};
    o.x = random.rand() % 640 - 320;
    o.y = random.rand() % 480 - 240;
    o.z = random.rand() % 100 + 1;
    return o;
}

// What a respawn draws: x, y, then the kind.
Object expectedRespawn(ShowRandom& random) {
    Object o{};
    o.z = 100;
    o.x = random.rand() % 640 - 320;
    o.y = random.rand() % 480 - 240;
    const int r = random.rand() % 100;
    o.kind = (r == 1 || r == 2) ? r : 0;
    return o;
}

constexpr FieldMotion kStill{};
constexpr FieldMotion kAdvance{.advance = true};
constexpr FieldMotion kScatter{.scatter = true};
constexpr FieldMotion kScatterAndAdvance{.scatter = true, .advance = true};

class Star3d : public testing::Test {
  protected:
    void TearDown() override { SDL_FreeSurface(screen); }

    void expectObject(int i, const Object& o) {
        EXPECT_EQ(s.starx[i], o.x) << i;
        EXPECT_EQ(s.stary[i], o.y) << i;
        EXPECT_EQ(s.starz[i], o.z) << i;
        EXPECT_EQ(s.kind[i], o.kind) << i;
    }

    // A field without sprites, scattered.
    void startWithoutSprites() { step(kScatter); }

    void step(FieldMotion motion, float angle = 0.0f) {
        star3d(p, s, frame.at(screen, 0), motion, angle);
    }

    // Field coordinates that project onto (px, py) at distance 64 (step 1).
    void place(int i, int px, int py) {
        s.starx[i] = 2.0f * (px - 320);
        s.stary[i] = 2.0f * (py - 270);
        s.starz[i] = 64;
        s.kind[i] = 0;
    }

    StarFieldPictures p;
    StarFieldState s;
    TestFrame frame;
    ShowRandom& random = frame.random;
    SDL_Surface* screen = makeScreenSurface(640, 480);
};

} // namespace

// A scatter, as in the field's first frame, makes every object a star,
// three draws per object in the order x, y, z.
TEST_F(Star3d, ScatterRandomisesEveryObjectAsAStar) {
    random.srand(11);
    startWithoutSprites();
    const int afterCall = random.rand();
    random.srand(11);
    for (int i = 0; i < kFieldObjects; ++i) {
        expectObject(i, expectedReset(random));
    }
    EXPECT_EQ(random.rand(), afterCall);
}

// With advance, an object reset to z = 1 reaches 0 and respawns at once,
// drawing its numbers before the next object is reset.
TEST_F(Star3d, ResetThenAdvanceRespawnsInObjectOrder) {
    startWithoutSprites();
    int respawns = 0;
    for (unsigned seed = 1; seed < 100 && respawns == 0; ++seed) {
        random.srand(seed);
        step(kScatterAndAdvance);
        const int afterCall = random.rand();
        random.srand(seed);
        for (int i = 0; i < kFieldObjects; ++i) {
            Object o = expectedReset(random);
            o.z -= 1;
            if (o.z <= 0) {
                o = expectedRespawn(random);
                ++respawns;
            }
            expectObject(i, o);
        }
        ASSERT_EQ(random.rand(), afterCall) << seed;
    }
    EXPECT_GT(respawns, 0);
}

// Gifts come only from respawns, one in a hundred for each kind, and keep
// their kind until the next respawn or reset.
TEST_F(Star3d, GiftsComeOnlyFromRespawns) {
    startWithoutSprites();
    int gifts[3] = {};
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::fill(s.starz, s.starz + kFieldObjects, 1.0f);
        random.srand(seed);
        step(kAdvance);
        random.srand(seed);
        for (int i = 0; i < kFieldObjects; ++i) {
            const Object o = expectedRespawn(random);
            expectObject(i, o);
            ++gifts[o.kind];
        }
    }
    EXPECT_GT(gifts[1], 0);
    EXPECT_GT(gifts[2], 0);

    // A gift keeps its kind while it flies; a reset makes every object a star.
    s.kind[5] = 2;
    s.starz[5] = 50;
    step(kAdvance);
    EXPECT_EQ(s.kind[5], 2);
    step(kScatter);
    for (int i = 0; i < kFieldObjects; ++i) {
        EXPECT_EQ(s.kind[i], 0);
    }
}

// The turn uses the old x for the new y, in double, stored as float; zero
// and negative angles do not turn at all.
TEST_F(Star3d, TurnsOnlyForPositiveAngles) {
    startWithoutSprites();
    std::fill(s.starx, s.starx + kFieldObjects, 100.0f);
    std::fill(s.stary, s.stary + kFieldObjects, 50.0f);
    std::fill(s.starz, s.starz + kFieldObjects, 50.0f);
    step(kStill);
    step(kStill, -0.1f);
    EXPECT_EQ(s.starx[7], 100.0f);
    EXPECT_EQ(s.stary[7], 50.0f);
    const float angle = 0.03f;
    step(kStill, angle);
    const double c = cos((double)angle);
    const double n = sin((double)angle);
    EXPECT_EQ(s.starx[7], (float)(c * 100.0 - n * 50.0));
    EXPECT_EQ(s.stary[7], (float)(n * 100.0 + c * 50.0));
}

// Only the sprite's top-left corner is tested, against 0 < px <= 639 and
// 0 < py <= 479; at distance 64 the sprite is drawn at its own size.
TEST_F(Star3d, DrawsOnlyObjectsWhoseCornerIsOnTheScreen) {
    startWithoutSprites();
    p.bild[0].reset(makeSolidSurface(4, 4, kWhite));
    const int outside[][2] = {{0, 100}, {100, 0}, {640, 100}, {100, 480}, {-5, 100}};
    for (int i = 0; i < kFieldObjects; ++i) {
        place(i, outside[i % 5][0], outside[i % 5][1]);
    }
    step(kStill);
    EXPECT_EQ(countWords(screen, kWhite), 0);

    place(0, 639, 100); // only column 639 is on the screen
    place(1, 200, 479); // only row 479
    place(2, 100, 100); // a whole 3 x 3 copy
    step(kStill);
    EXPECT_EQ(countWords(screen, kWhite), 3 + 3 + 9);
    EXPECT_EQ(wordAt(screen, 639, 102), kWhite);
    EXPECT_EQ(wordAt(screen, 202, 479), kWhite);
    EXPECT_EQ(wordAt(screen, 100, 100), kWhite);
    EXPECT_EQ(wordAt(screen, 102, 102), kWhite);

    // The projection truncates toward zero: -0.5 lands on column 320. At
    // z = 32 the sprite is sampled every half pixel, 7 x 7 pixels.
    s.starx[3] = -0.5f;
    s.stary[3] = -0.5f;
    s.starz[3] = 32;
    SDL_FillRect(screen, nullptr, 0);
    step(kStill);
    EXPECT_EQ(countWords(screen, kWhite), 3 + 3 + 9 + 7 * 7);
    EXPECT_EQ(wordAt(screen, 320, 270), kWhite);
    EXPECT_EQ(wordAt(screen, 326, 276), kWhite);
    EXPECT_EQ(wordAt(screen, 319, 270), 0u);

    // Standing still, every call draws the same picture.
    const auto once = allWords(screen);
    SDL_FillRect(screen, nullptr, 0);
    step(kStill);
    EXPECT_EQ(allWords(screen), once);
}
