#include "shell/progress_line.h"

#include "shell/monotonic_clock.h"

#include <unistd.h>

namespace {

constexpr double kRedrawInterval = 0.25;

double secondsNow() {
    return (double)monotonicNow() / 1e9;
}

void draw(ProgressLine& p, int64_t frame, double now) {
    const double elapsed = now - p.started;
    const double fps = elapsed > 0 ? frame / elapsed : 0;
    const int64_t remaining = p.total > frame ? p.total - frame : 0;
    char text[160];
    formatProgress(text, sizeof text, frame, p.total, fps, fps > 0 ? remaining / fps : 0);
    // Clears what a longer previous line left at the end.
    fprintf(p.stream, "\r%s\033[K", text);
    fflush(p.stream);
    p.lastShown = now;
}

} // namespace

void formatProgress(char* text, size_t size, int64_t frame, int64_t total, double fps,
                    double secondsLeft) {
    const long left = secondsLeft > 0 ? (long)(secondsLeft + 0.5) : 0;
    snprintf(text, size, "frame %lld of %lld, %.1f fps, %ld:%02ld left", (long long)frame,
             (long long)total, fps, left / 60, left % 60);
}

ProgressLine startProgress(FILE* stream, int64_t totalFrames) {
    ProgressLine p;
    p.stream = isatty(fileno(stream)) ? stream : nullptr;
    p.total = totalFrames;
    p.started = secondsNow();
    return p;
}

void showProgress(ProgressLine& p, int64_t frame) {
    if (p.stream == nullptr) {
        return;
    }
    const double now = secondsNow();
    if (p.lastShown < 0 || now - p.lastShown >= kRedrawInterval) {
        draw(p, frame, now);
    }
}

void endProgress(ProgressLine& p, int64_t frames) {
    if (p.stream == nullptr) {
        return;
    }
    p.total = frames;
    draw(p, frames, secondsNow());
    fputc('\n', p.stream);
}
