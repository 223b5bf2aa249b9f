// The bench's table: per scene, the frames, the median, 95th percentile and
// slowest frame, the first frame and the frame rate, from frame times
// measured by whichever platform runs the show; and the time seeks take.
#pragma once

#include "scenes/show.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// What one scene (or the whole show) took per frame. A scene's first frame
// sets the scene up, so it is also shown apart from the steady frames.
struct FrameStats {
    int64_t frames = 0;  // all frames, the first included
    double firstMs = 0;  // the first frame
    double medianMs = 0; // of the frames after the first
    double p95Ms = 0;    // 95th percentile (nearest rank) of those frames
    double maxMs = 0;    // slowest of all the frames, the first included
    double totalMs = 0;  // all frames, the first included
    double fps = 0;      // frames / total time
};

// Statistics of a first frame and the frames after it, in milliseconds.
FrameStats statsOf(double firstMs, std::vector<double> rest);

class BenchReport {
  public:
    // A frame that ended in scene index `scene` took `ms` milliseconds.
    void add(int scene, double ms);

    // One line per scene that drew a frame, then the total, whose first
    // column is the slowest first frame of any scene.
    void print(FILE* out) const;

  private:
    FrameStats sceneStats(int scene) const;
    FrameStats totalStats() const;
    // They grow as frames are drawn, outside the timed part of each frame.
    std::vector<double> perScene_[kSceneCount];
    double totalMs_ = 0;
};

// Seeks to `count` moments spread at random over the whole show (the same
// moments on every run), each timed with nowMs, once the seek index is built
// on screen; the milliseconds of each.
std::vector<double> timeSeeks(const ShowAssets& assets, SDL_Surface* screen, int count,
                              double (*nowMs)());

// "seeks: N to moments at random, median M ms, largest L ms".
std::string seekLine(std::vector<double> ms);
