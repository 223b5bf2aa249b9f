#include "drivers/show_lines.h"

#include <cinttypes>
#include <cstdio>

std::string hashLine(int64_t frame, Uint32 demoTime, int scene, uint64_t hash) {
    char line[96];
    snprintf(line, sizeof line, "frame %" PRId64 " time %u scene %d hash %016" PRIx64, frame,
             demoTime, scene, hash);
    return line;
}

std::string frameRateLine(uint64_t frames, uint64_t ms) {
    char line[64];
    snprintf(line, sizeof line, "FPS=%f", ms == 0 ? 0.0 : (double)frames / (double)ms * 1000.0);
    return line;
}
