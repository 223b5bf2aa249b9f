// No frame allocates once its scene has loaded: the show runs frame by frame
// through the real chain while every malloc, calloc and realloc is counted.
// A scene's first frame (and so a handover frame) loads pictures and may
// allocate; every other frame must not.
#include "gfx/font.h"
#include "shell/render.h"
#include "shell/scene_chain.h"
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
    prepareShow();
    srand(1);
    RenderOptions options;
    const int64_t frames = framesOfWholeShow(options);
    int scene = 0;
    int offenders = 0;
    for (int64_t n = 1; n <= frames; ++n) {
        const int before = scene;
        allocations = 0;
        counting = true;
        scene = runFrame(screen, (int)n, demoTimeOfFrame(n, options), scene);
        counting = false;
        const bool scenesFirstFrame = n == 1 || scene != before;
        if (!scenesFirstFrame && allocations != 0 && ++offenders <= 10) {
            ADD_FAILURE() << "frame " << n << " of scene " << scene << " allocated " << allocations
                          << " times";
        }
    }
    EXPECT_EQ(offenders, 0);
    EXPECT_EQ(scene, 7);
    releaseShow();
}

#endif
