#include "scenes/scenes.h"

#include "shell/frame_files.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

const char* const kWord = "blossa";
const int kSlotX[6] = {10, 74, 138, 202, 266, 330};

// Every picture a 16 x 16 block of a colour of its own; the s pictures serve
// two slots.
class BlossaTest : public testing::Test {
  protected:
    void SetUp() override {
        Picture* highlights[] = {&s.bf, &s.lf, &s.of, &s.sf, &s.af};
        Picture* bases[] = {&s.bg, &s.lg, &s.og, &s.sg, &s.ag};
        for (int i = 0; i < 5; ++i) {
            highlights[i]->reset(makeSolidSurface(16, 16, 0xff0000 + (Uint32)i));
            bases[i]->reset(makeSolidSurface(16, 16, 0x00ff00 + (Uint32)i));
        }
        s.flaska.reset(makeSolidSurface(16, 16, 0x0000ff));
        screen = makeScreenSurface(640, 480);
    }

    void TearDown() override { SDL_FreeSurface(screen); }

    // One frame on a cleared screen at elapsed time e, read back as the word
    // with lit letters in capitals, "+bottle" when the bottle was drawn.
    std::string frameAt(Uint32 elapsed) {
        SDL_FillRect(screen, nullptr, 0);
        lastResult = blossa(s, frame.at(screen, elapsed));
        std::string seen;
        for (int slot = 0; slot < 6; ++slot) {
            const Uint32 colour = wordAt(screen, kSlotX[slot] + 1, 11) & 0xff0000;
            seen += colour == 0xff0000 ? (char)(kWord[slot] - 'a' + 'A') : kWord[slot];
        }
        if (wordAt(screen, 101, 101) == 0x0000ff) {
            seen += "+bottle";
        }
        return seen;
    }

    LetterPictures s;
    TestFrame frame;
    SDL_Surface* screen = nullptr;
    int lastResult = -1;
};

} // namespace

TEST_F(BlossaTest, HighlightRunsThreeTimesThenBottleThenTheWordFlashesTwiceThenFinishes) {
    const std::pair<Uint32, const char*> timeline[] = {
        {0, "Blossa"},           {299, "Blossa"},  {300, "bLossa"},  {599, "bLossa"},
        {600, "blOssa"},         {1199, "blOssa"}, {1200, "bloSsa"}, {1499, "bloSsa"},
        {1500, "blosSa"},        {1800, "blossA"}, {2099, "blossA"}, {2100, "blossa"},
        {2400, "blossa"},        {2401, "Blossa"}, {2700, "bLossa"}, {4800, "blossa"},
        {4801, "Blossa"},        {6899, "blossA"}, {7200, "blossa"}, {7201, "blossa+bottle"},
        {8099, "blossa+bottle"}, {8100, "BLOSSA"}, {8400, "BLOSSA"}, {8401, "blossa"},
        {8700, "blossa"},        {8701, "BLOSSA"}, {9000, "BLOSSA"}, {9001, "blossa"},
        {9300, "blossa"},        {9301, "blossa"},
    };
    for (const auto& [elapsed, expected] : timeline) {
        EXPECT_EQ(frameAt(elapsed), expected) << "elapsed " << elapsed;
        EXPECT_EQ(lastResult, elapsed > 9300 ? 1 : 0) << "elapsed " << elapsed;
    }
}

// The pictures are loaded ahead, and the first frame lights the b at once.
// Pictures get no colour key: their black pixels cover the screen.
TEST(Blossa, PicturesLoadedAheadAndTheFirstFrameLightsTheB) {
    ScratchFolder folder;
    ASSERT_TRUE(std::filesystem::create_directory("data"));
    const char* const names[] = {"bf", "bg", "lf", "lg", "of", "og", "sf", "sg", "af", "ag"};
    for (int i = 0; i < 10; ++i) {
        SDL_Surface* picture = makeSolidSurface(16, 16, 0x100000 * (Uint32)(i + 1));
        static_cast<Uint32*>(picture->pixels)[15] = 0; // top right corner black
        const std::string path = std::string("data/") + names[i] + ".png";
        ASSERT_TRUE(writePng(picture, path.c_str()));
        SDL_FreeSurface(picture);
    }
    SDL_Surface* screen = makeSolidSurface(640, 480, 0x000077);
    const LetterPictures s = loadLetterPictures({"data", screen, Kernels::Fast});
    TestFrame frame;

    EXPECT_EQ(blossa(s, frame.at(screen, 0, true)), 0);
    EXPECT_EQ(s.flaska, nullptr);
    EXPECT_EQ(wordAt(screen, 10, 10), 0x100000u);  // bf
    EXPECT_EQ(wordAt(screen, 25, 10), 0u);         // its black corner
    EXPECT_EQ(wordAt(screen, 74, 10), 0x400000u);  // lg
    EXPECT_EQ(wordAt(screen, 266, 25), 0x800000u); // sg in the fifth slot
    EXPECT_EQ(wordAt(screen, 330, 10), 0xa00000u); // ag
    EXPECT_EQ(wordAt(screen, 9, 10), 0x000077u);
    EXPECT_EQ(wordAt(screen, 10, 26), 0x000077u);
    SDL_FreeSurface(screen);
}

TEST(Blossa, WithEveryPictureMissingDrawsNothingAndKeepsTheTiming) {
    ScratchFolder folder;
    const LetterPictures s = loadLetterPictures({"data", nullptr, Kernels::Fast});
    SDL_Surface* screen = makeSolidSurface(640, 480, 0x000077);
    TestFrame frame;
    for (Uint32 elapsed = 0; elapsed <= 9300; elapsed += 100) {
        ASSERT_EQ(blossa(s, frame.at(screen, elapsed, elapsed == 0)), 0) << elapsed;
    }
    EXPECT_EQ(blossa(s, frame.at(screen, 9301)), 1);
    for (Uint32 word : allWords(screen)) {
        ASSERT_EQ(word, 0x000077u);
    }
    SDL_FreeSurface(screen);
}
