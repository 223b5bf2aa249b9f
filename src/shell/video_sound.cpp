#include "shell/video_sound.h"

#include "shell/quit_signals.h"

#include <SDL.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>

namespace {

constexpr int kChunkFrames = 4096;

// The gain of a sample frame in a fade of `length` frames starting at from.
double fadeGain(int64_t frame, int64_t from, int64_t length) {
    if (from < 0 || frame < from) {
        return 1.0;
    }
    return std::max(0.0, 1.0 - (double)(frame - from) / (double)length);
}

void fadeChunk(Sint16* samples, int frames, int64_t first, int64_t fadeFrom, int64_t length) {
    if (fadeFrom < 0 || first + frames <= fadeFrom) {
        return;
    }
    for (int i = 0; i < frames; ++i) {
        const double gain = fadeGain(first + i, fadeFrom, length);
        for (int channel = 0; channel < 2; ++channel) {
            Sint16& s = samples[2 * i + channel];
            s = (Sint16)lround(s * gain);
        }
    }
}

} // namespace

bool decodeVideoSound(MusicStream* stream, int64_t frames, int64_t fadeFrom, FILE* out, FILE* err) {
    const int64_t fadeLength = musicRate(stream);
    Sint16 chunk[2 * kChunkFrames];
    for (int64_t done = 0; done < frames; done += kChunkFrames) {
        if (quitSignalled()) {
            fprintf(err, "snolk-render: stopped by %s while making the sound; no video written\n",
                    quitSignalName());
            return false;
        }
        const int count = (int)std::min<int64_t>(kChunkFrames, frames - done);
        fillMusic(stream, reinterpret_cast<Uint8*>(chunk), count * 4);
        fadeChunk(chunk, count, done, fadeFrom, fadeLength);
        if (fwrite(chunk, 4, (size_t)count, out) != (size_t)count) {
            fprintf(err, "snolk-render: cannot write the sound: %s\n", strerror(errno));
            return false;
        }
    }
    if (fflush(out) != 0) {
        fprintf(err, "snolk-render: cannot write the sound: %s\n", strerror(errno));
        return false;
    }
    return true;
}
