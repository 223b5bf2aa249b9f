// Small surfaces, folders and captures that the tests build for themselves.
#pragma once

#include "drivers/virtual_clock.h"
#include "gfx/font.h"
#include "gfx/random.h"
#include "scenes/scenes.h"
#include "scenes/show.h"

#include <SDL.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

// A 32-bit software surface of the screen's layout (0x00RRGGBB), filled with 0.
SDL_Surface* makeScreenSurface(int w, int h);

// The same, filled with one colour.
SDL_Surface* makeSolidSurface(int w, int h, Uint32 colour);

// What a scene or sub-effect is handed in a frame, for a test that calls one
// directly: a generator seeded 1, no font (text draws nothing) unless the
// test loads one, the fast kernels, the console on standard output, and a
// platform that shows nothing. Set the fields, then take a frame at a time.
struct TestFrame {
    ShowRandom random{1};
    Font font;
    Kernels kernels = Kernels::Fast;
    FILE* console = stdout;
    ShowPlatform platform;
    Uint32 demoTime = 0;
    int frameCounter = 1;

    ShowFrame at(SDL_Surface* screen, Uint32 elapsed, bool begins = false);
};

// A 32-bit RGBA surface laid out as PNG pictures load (R in the low byte).
SDL_Surface* makeRgbaSurface(int w, int h);

// The word at (x, y) of a 32-bit surface.
Uint32 wordAt(const SDL_Surface* s, int x, int y);

// How many words of a 32-bit surface hold colour.
int countWords(const SDL_Surface* s, Uint32 colour);

// All words of a 32-bit surface, row by row.
std::vector<Uint32> allWords(const SDL_Surface* s);

// Opens the 640 x 480 x 32 screen the programs use, with the dummy driver.
SDL_Surface* openTestScreen();

// A fresh empty folder; the test moves into it and back out when the object
// goes. The programs it starts look for their data in its data/ alone
// (SNOLK_DATA), so without one they find none.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    const std::string& path() const { return path_; }

  private:
    std::string path_;
    std::string previous_;
};

// Runs the test from the repository root, where data/ is.
void enterSourceTree();

// Captures what a call writes to stdout (or to another stream, e.g. stderr).
class StdoutCapture {
  public:
    explicit StdoutCapture(FILE* stream = stdout);
    ~StdoutCapture();
    std::string finish();

  private:
    FILE* stream_;
    int saved_ = -1;
    std::string file_;
    bool done_ = false;
};

// Plays a whole show headless in this process, as the renderer would with
// seed 1 on this clock, with the data files in dataFolder (the font sheet
// too); the show's console lines stay out of the test's output. Returns
// the scene it ended in.
int playShowHeadless(const std::string& dataFolder, const VirtualClock& clock);

// The renderer's --hash lines of a show drawn in this process with these
// assets on this clock: `frames` frames, or the whole show for 0.
std::vector<std::string> hashLinesOf(const ShowAssets& assets, const VirtualClock& clock,
                                     unsigned seed, int64_t frames = 0);

// The same lines of these frames alone, in their order (hashing a frame
// takes longer than drawing one).
std::vector<std::string> hashLinesAt(const ShowAssets& assets, const VirtualClock& clock,
                                     unsigned seed, const std::set<int64_t>& frames);
