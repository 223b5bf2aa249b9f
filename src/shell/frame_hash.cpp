#include "shell/frame_hash.h"

uint64_t hashFrame(const SDL_Surface* screen) {
    uint64_t hash = 0xcbf29ce484222325ull;
    for (int y = 0; y < 480; ++y) {
        const Uint32* row = reinterpret_cast<const Uint32*>(
            static_cast<const Uint8*>(screen->pixels) + y * screen->pitch);
        for (int x = 0; x < 640; ++x) {
            const Uint32 word = row[x];
            for (int byte = 0; byte < 4; ++byte) {
                hash ^= (word >> (8 * byte)) & 0xff;
                hash *= 0x100000001b3ull;
            }
        }
    }
    return hash;
}
