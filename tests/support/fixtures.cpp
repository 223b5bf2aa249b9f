#include "support/fixtures.h"

#include "gfx/toolkit.h"
#include "shell/display.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

SDL_Surface* makeScreenSurface(int w, int h) {
    SDL_Surface* s =
        SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0x00ff0000, 0x0000ff00, 0x000000ff, 0);
    SDL_FillRect(s, nullptr, 0);
    return s;
}

SDL_Surface* makeRgbaSurface(int w, int h) {
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0x000000ff, 0x0000ff00,
                                          0x00ff0000, 0xff000000);
    SDL_FillRect(s, nullptr, 0);
    return s;
}

Uint32 wordAt(const SDL_Surface* s, int x, int y) {
    return *reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(s->pixels) + y * s->pitch +
                                            4 * x);
}

std::vector<Uint32> allWords(const SDL_Surface* s) {
    std::vector<Uint32> words;
    for (int y = 0; y < s->h; ++y) {
        for (int x = 0; x < s->w; ++x) {
            words.push_back(wordAt(s, x, y));
        }
    }
    return words;
}

int countWords(const SDL_Surface* s, Uint32 colour) {
    int n = 0;
    for (Uint32 w : allWords(s)) {
        n += w == colour;
    }
    return n;
}

SDL_Surface* openTestScreen() {
    return openScreen(0, 1);
}

ScratchFolder::ScratchFolder() {
    char pattern[] = "/tmp/snolk-test-XXXXXX";
    path_ = mkdtemp(pattern);
    char here[4096];
    previous_ = getcwd(here, sizeof here);
    if (chdir(path_.c_str()) != 0) {
        abort();
    }
    // The programs would otherwise find the repository's data beside
    // themselves; this folder's own data/, if a test makes one, is the one.
    setenv("SNOLK_DATA", (path_ + "/data").c_str(), 1);
}

ScratchFolder::~ScratchFolder() {
    unsetenv("SNOLK_DATA");
    if (chdir(previous_.c_str()) != 0) {
        abort();
    }
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void enterSourceTree() {
    if (chdir(SNOLK_SOURCE_DIR) != 0) {
        abort();
    }
}

StdoutCapture::StdoutCapture(FILE* stream) : stream_(stream) {
    fflush(stream_);
    char pattern[] = "/tmp/snolk-stdout-XXXXXX";
    const int fd = mkstemp(pattern);
    file_ = pattern;
    saved_ = dup(fileno(stream_));
    dup2(fd, fileno(stream_));
    close(fd);
}

std::string StdoutCapture::finish() {
    if (!done_) {
        fflush(stream_);
        dup2(saved_, fileno(stream_));
        close(saved_);
        done_ = true;
    }
    std::ifstream in(file_);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

StdoutCapture::~StdoutCapture() {
    finish();
    remove(file_.c_str());
}

int playShowHeadless(const std::string& dataFolder, const VirtualClock& clock) {
    setDataFolder(dataFolder.c_str());
    SDL_Surface* screen = makeScreenSurface(640, 480);
    ShowPlatform headless;
    int scene = -1;
    {
        StdoutCapture quiet;
        prepareShow();
        ClockedShow show(clock, 1);
        for (int64_t n = clock.wholeShowFrames(); n > 0; --n) {
            show.stepFrame(screen, headless);
        }
        scene = show.scene();
        releaseShow();
    }
    SDL_FreeSurface(screen);
    setDataFolder("data");
    return scene;
}
