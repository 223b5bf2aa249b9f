// Frame times of a benchmark run, gathered per scene, and the table printed
// from them.
#pragma once

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
    // Room for this many frames is set aside at once, so that collecting the
    // times allocates nothing while the show is timed.
    explicit BenchReport(int64_t expectedFrames);

    // A frame that ended in scene index `scene` took `ms` milliseconds.
    void add(int scene, double ms);

    // One line per scene that drew a frame, then the total, whose load
    // column is the slowest first frame of any scene.
    void print(FILE* out) const;

  private:
    static constexpr int kScenes = 8;
    FrameStats sceneStats(int scene) const;
    FrameStats totalStats() const;
    std::vector<double> perScene_[kScenes];
    double totalMs_ = 0;
};
