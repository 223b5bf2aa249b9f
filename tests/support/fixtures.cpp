#include "support/fixtures.h"

#include "drivers/show_lines.h"
#include "gfx/toolkit.h"
#include "shell/display.h"
#include "shell/process_environment.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// A name in the system's temporary folder that nothing has yet.
std::string freshTemporaryName(const std::string& prefix) {
    std::random_device random;
    std::error_code error;
    for (;;) {
        const fs::path name =
            fs::temp_directory_path() / (prefix + std::to_string(random() % 1000000000));
        if (!fs::exists(name, error)) {
            return name.string();
        }
    }
}

} // namespace

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
    do {
        path_ = freshTemporaryName("snolk-test-");
    } while (!fs::create_directory(path_));
    previous_ = fs::current_path().string();
    fs::current_path(path_);
    // The programs would otherwise find the repository's data beside
    // themselves; this folder's own data/, if a test makes one, is the one.
    setEnvironment("SNOLK_DATA", (path_ + "/data").c_str(), true);
}

ScratchFolder::~ScratchFolder() {
    unsetEnvironment("SNOLK_DATA");
    fs::current_path(previous_);
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

void enterSourceTree() {
    fs::current_path(SNOLK_SOURCE_DIR);
}

StdoutCapture::StdoutCapture(FILE* stream) : stream_(stream) {
    fflush(stream_);
    file_ = freshTemporaryName("snolk-stdout-");
    const int fd = open(file_.c_str(), O_RDWR | O_CREAT | O_EXCL, 0600);
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
    SDL_Surface* screen = makeScreenSurface(640, 480);
    const std::unique_ptr<ShowAssets> assets = loadShowAssets(dataFolder, screen);
    ShowPlatform headless;
    ClockedShow show(clock, *assets, 1);
    show.show().console = nullptr;
    for (int64_t n = clock.wholeShowFrames(); n > 0; --n) {
        show.stepFrame(screen, headless);
    }
    SDL_FreeSurface(screen);
    return show.scene();
}

namespace {

std::vector<std::string> linesOf(const ShowAssets& assets, const VirtualClock& clock, unsigned seed,
                                 int64_t last, const std::function<bool(int64_t)>& wanted) {
    SDL_Surface* screen = makeScreenSurface(640, 480);
    ShowPlatform headless;
    ClockedShow show(clock, assets, seed);
    show.show().console = nullptr;
    std::vector<std::string> lines;
    while (show.frame() < last) {
        show.stepFrame(screen, headless);
        if (wanted(show.frame())) {
            lines.push_back(hashLine(show.frame(), show.lastMs(), show.scene(), hashFrame(screen)));
        }
    }
    SDL_FreeSurface(screen);
    return lines;
}

} // namespace

std::vector<std::string> hashLinesOf(const ShowAssets& assets, const VirtualClock& clock,
                                     unsigned seed, int64_t frames) {
    return linesOf(assets, clock, seed, frames > 0 ? frames : clock.wholeShowFrames(),
                   [](int64_t) { return true; });
}

std::vector<std::string> hashLinesAt(const ShowAssets& assets, const VirtualClock& clock,
                                     unsigned seed, const std::set<int64_t>& frames) {
    return linesOf(assets, clock, seed, frames.empty() ? 0 : *frames.rbegin(),
                   [&frames](int64_t n) { return frames.count(n) != 0; });
}

SDL_Surface* makeSolidSurface(int w, int h, Uint32 colour) {
    SDL_Surface* s = makeScreenSurface(w, h);
    SDL_FillRect(s, nullptr, colour);
    return s;
}

ShowFrame TestFrame::at(SDL_Surface* screen, Uint32 elapsed, bool begins) {
    return {screen, demoTime, elapsed, begins,  frameCounter,
            random, font,     kernels, console, platform};
}
