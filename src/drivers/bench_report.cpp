#include "drivers/bench_report.h"

#include <algorithm>
#include <cinttypes>

namespace {

double medianOf(const std::vector<double>& sorted) {
    const size_t n = sorted.size();
    return n % 2 == 1 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
}

// Nearest rank: the smallest time that at least p of the frames do not exceed.
double percentileOf(const std::vector<double>& sorted, double p) {
    size_t rank = (size_t)(p * (double)sorted.size() + 0.999999);
    rank = std::clamp(rank, (size_t)1, sorted.size());
    return sorted[rank - 1];
}

void printLine(FILE* out, const char* name, const FrameStats& s) {
    fprintf(out, "%-9s %7" PRId64 " %9.3f %9.3f %9.3f %9.3f %9.1f\n", name, s.frames, s.medianMs,
            s.p95Ms, s.maxMs, s.firstMs, s.fps);
}

} // namespace

FrameStats statsOf(double firstMs, std::vector<double> rest) {
    FrameStats s;
    s.frames = (int64_t)rest.size() + 1;
    s.firstMs = firstMs;
    s.totalMs = firstMs;
    for (const double t : rest) {
        s.totalMs += t;
    }
    s.fps = s.totalMs > 0 ? (double)s.frames * 1000.0 / s.totalMs : 0;
    if (!rest.empty()) {
        std::sort(rest.begin(), rest.end());
        s.medianMs = medianOf(rest);
        s.p95Ms = percentileOf(rest, 0.95);
        s.maxMs = rest.back();
    }
    return s;
}

void BenchReport::add(int scene, double ms) {
    if (scene >= 0 && scene < kSceneCount) {
        perScene_[scene].push_back(ms);
        totalMs_ += ms;
    }
}

FrameStats BenchReport::sceneStats(int scene) const {
    const std::vector<double>& ms = perScene_[scene];
    return statsOf(ms.front(), std::vector<double>(ms.begin() + 1, ms.end()));
}

FrameStats BenchReport::totalStats() const {
    // The loading frames stand apart here too: the slowest of them is shown.
    double slowestFirst = 0;
    std::vector<double> rest;
    int scenes = 0;
    for (const std::vector<double>& ms : perScene_) {
        if (!ms.empty()) {
            slowestFirst = std::max(slowestFirst, ms.front());
            rest.insert(rest.end(), ms.begin() + 1, ms.end());
            ++scenes;
        }
    }
    FrameStats s = statsOf(slowestFirst, rest);
    s.frames += scenes - 1;
    s.totalMs = totalMs_;
    s.fps = totalMs_ > 0 ? (double)s.frames * 1000.0 / totalMs_ : 0;
    return s;
}

void BenchReport::print(FILE* out) const {
    fprintf(out, "%-9s %7s %9s %9s %9s %9s %9s\n", "scene", "frames", "median", "p95", "max",
            "load", "fps");
    fprintf(out, "%-9s %7s %9s %9s %9s %9s %9s\n", "", "", "ms", "ms", "ms", "ms", "");
    for (int k = 0; k < kSceneCount; ++k) {
        if (!perScene_[k].empty()) {
            printLine(out, kTimeline[k].name, sceneStats(k));
        }
    }
    if (totalMs_ > 0) {
        printLine(out, "total", totalStats());
    }
}
