#include "drivers/bench_report.h"

#include "drivers/live_show.h"

#include <algorithm>
#include <cinttypes>
#include <random>

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
    s.maxMs = std::max(s.maxMs, firstMs);
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
    // The first frames stand apart here too: the slowest of them is shown.
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
            "first", "fps");
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

std::vector<double> timeSeeks(const ShowAssets& assets, SDL_Surface* screen, int count,
                              double (*nowMs)()) {
    LiveShow live(assets, 0, 1, 0);
    live.prepareSeeking(screen, [] { return true; });
    const VirtualClock whole{0, 0, 60};
    std::mt19937 moments(29);
    std::uniform_int_distribution<int64_t> at(kShowStartMs, whole.frameMs(whole.wholeShowFrames()));
    ShowPlatform unseen;
    std::vector<double> ms;
    for (int k = 0; k < count; ++k) {
        const int64_t moment = at(moments);
        const double start = nowMs();
        live.seekTo(moment, screen, unseen);
        ms.push_back(nowMs() - start);
    }
    return ms;
}

std::string seekLine(std::vector<double> ms) {
    if (ms.empty()) {
        return "seeks: none";
    }
    std::sort(ms.begin(), ms.end());
    char line[96];
    snprintf(line, sizeof line, "seeks: %zu to moments at random, median %.3f ms, largest %.3f ms",
             ms.size(), medianOf(ms), ms.back());
    return line;
}
