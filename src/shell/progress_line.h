// A one-line progress report for long renders, redrawn in place on a
// terminal and left out when the output goes to a file or a pipe.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

struct ProgressLine {
    FILE* stream = nullptr; // null when not a terminal
    int64_t total = 0;      // frames expected
    double started = 0;     // seconds on the monotonic clock
    double lastShown = -1;
};

// Writes "frame n of N, F fps, m:ss left" into text.
void formatProgress(char* text, size_t size, int64_t frame, int64_t total, double fps,
                    double secondsLeft);

// Starts reporting on stream when it is a terminal.
ProgressLine startProgress(FILE* stream, int64_t totalFrames);

// Redraws the line after frame n, a few times per second at most.
void showProgress(ProgressLine& progress, int64_t frame);

// Shows the final figures and ends the line.
void endProgress(ProgressLine& progress, int64_t frames);
