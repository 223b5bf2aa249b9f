// No frame allocates once its scene has begun: the show runs frame by frame
// through the real chain while every malloc, calloc and realloc is counted.
// A scene's first frame (and so a handover frame) may have SDL build the
// colour maps of the surfaces it first blits; every other frame must not.
#include "gfx/font.h"
#include "scenes/show.h"
#include "shell/render_clock.h"
#include "shell/startup.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>

#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__)
#define SNOLK_COUNTS_ALLOCATIONS 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SNOLK_COUNTS_ALLOCATIONS 0
#endif
#endif
#ifndef SNOLK_COUNTS_ALLOCATIONS
#define SNOLK_COUNTS_ALLOCATIONS 1
#endif

#if SNOLK_COUNTS_ALLOCATIONS

namespace {
// Counting is off except while a frame is drawn, so the rest of the tests
// in this program pay one test of a flag per allocation.
bool counting = false;
long allocations = 0;
} // namespace

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* p, size_t size);
void __libc_free(void* p);

void* malloc(size_t size) {
    allocations += counting ? 1 : 0;
    return __libc_malloc(size);
}

void* calloc(size_t count, size_t size) {
    allocations += counting ? 1 : 0;
    return __libc_calloc(count, size);
}

void* realloc(void* p, size_t size) {
    allocations += counting ? 1 : 0;
    return __libc_realloc(p, size);
}

void free(void* p) {
    __libc_free(p);
}
}

TEST(FrameAllocations, NoneAfterTheFirstFrameOfEachSceneOfTheWholeShow) {
    enterSourceTree();
    SDL_Surface* screen = openTestScreen();
    const std::unique_ptr<ShowAssets> assets = loadShowAssets("data", screen);
    const RenderOptions options;
    int offenders = 0;
    int scene = -1;
    // Counting runs from just before a frame's step to the sink it hands the
    // frame to; the sink itself allocates nothing.
    allocations = 0;
    counting = true;
    const ClockRun run =
        runVirtualClock(screen, *assets, options, clockOf(options).wholeShowFrames(),
                        [&](SDL_Surface*, int64_t n, Uint32, int after) {
                            counting = false;
                            const bool scenesFirstFrame = after != scene;
                            scene = after;
                            if (!scenesFirstFrame && allocations != 0 && ++offenders <= 10) {
                                ADD_FAILURE() << "frame " << n << " of scene " << scene
                                              << " allocated " << allocations << " times";
                            }
                            allocations = 0;
                            counting = true;
                            return true;
                        });
    counting = false;
    EXPECT_EQ(offenders, 0);
    EXPECT_EQ(run.scene, kLastScene);
}

#endif
