// The live program on the X display the tests run under: started in the
// source tree, found by its window, looked at and stopped.
#pragma once

#include <SDL.h>

#include <memory>
#include <string>
#include <sys/types.h>

struct ShowInWindow {
    pid_t pid = -1;
    std::string outputPath; // what it prints, both streams
    double startedAt = 0;   // seconds on the monotonic clock
};

// Starts "snolk options" with its output in a file of folder. Its sound, if
// any, goes to SDL's dummy audio driver.
ShowInWindow startShow(const std::string& options, const std::string& folder);

// The id of the show's visible window, or "" when the program ended or no
// window showed up within the given time.
std::string waitForWindow(const ShowInWindow& show, double seconds);

struct WindowPlace {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};
WindowPlace placeOf(const std::string& window);

// The exit status, or -1 when it did not exit normally in time (it is then
// killed).
int waitForExit(ShowInWindow& show, double seconds);

// Seconds on a clock that only moves forward.
double monotonicSeconds();

std::string outputOf(const ShowInWindow& show);

using Screenshot = std::unique_ptr<SDL_Surface, void (*)(SDL_Surface*)>;

// The whole X screen as the viewer sees it.
Screenshot takeScreenshot(const std::string& folder);

// The pixel at (x, y) in the screenshot's own format.
Uint32 pixelAt(const SDL_Surface* shot, int x, int y);

// Share of the pixels in the rectangle that are not black.
double litShare(const SDL_Surface* shot, int left, int top, int width, int height);
