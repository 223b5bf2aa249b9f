// The renderer's --bench mode: the real scene chain on the virtual clock,
// timed frame by frame, with no hashing and no files, and the table of
// frame times per scene printed from it.
#pragma once

#include "scenes/show.h"
#include "shell/render_options.h"

#include <SDL.h>

#include <cstdint>
#include <cstdio>
#include <vector>

// What one scene (or the whole show) took per frame. A scene's first frame
// loads its pictures, so it is kept apart from the steady frames.
struct FrameStats {
    int64_t frames = 0;  // all frames, the first included
    double firstMs = 0;  // the first frame
    double medianMs = 0; // of the frames after the first
    double p95Ms = 0;    // 95th percentile (nearest rank) of those frames
    double maxMs = 0;    // slowest of those frames
    double totalMs = 0;  // all frames, the first included
    double fps = 0;      // frames / total time
};

// Statistics of a first frame and the frames after it, in milliseconds.
FrameStats statsOf(double firstMs, std::vector<double> rest);

class BenchReport {
  public:
    // A frame that ended in scene index `scene` took `ms` milliseconds.
    void add(int scene, double ms);

    // One line per scene that drew a frame, then the total, whose load
    // column is the slowest first frame of any scene.
    void print(FILE* out) const;

  private:
    FrameStats sceneStats(int scene) const;
    FrameStats totalStats() const;
    // They grow as frames are drawn, outside the timed part of each frame.
    std::vector<double> perScene_[kSceneCount];
    double totalMs_ = 0;
};

// Renders options.frames frames (or the whole show) and prints the per-scene
// table of the processor time each frame took to out. Returns the process
// status: 0, or 128 + the signal when a quit signal stopped it (the table of
// the frames drawn so far is printed all the same).
int benchShow(SDL_Surface* screen, const RenderOptions& options, FILE* out);
