// The sound clock against a fake device that plays frames at its rate from
// a moment of its own: callbacks on time, late, jittery, halved, with the
// queue reported by the backend or estimated from the granted buffer. The
// clock must say what the listener hears within a frame's time, run evenly
// and never back.
#include "drivers/sound_clock.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

constexpr long kRate = 44100;

struct Device {
    const char* name;
    int64_t chunk;        // frames a callback hands over
    int64_t queued;       // frames the device holds before a callback
    double jitterMs;      // a callback comes up to this much late
    bool reportsQueue;    // else the platform estimates it as `queued`
    double startsAfterMs; // the device begins playing this long after the move
};

void PrintTo(const Device& d, std::ostream* out) {
    *out << d.name;
}

class SoundClockFollows : public testing::TestWithParam<Device> {};

TEST_P(SoundClockFollows, WhatTheListenerHears) {
    const Device d = GetParam();
    SoundClock clock(kRate);
    const double moveMs = 11316;
    clock.startAt(moveMs);
    std::mt19937 late(3);
    std::uniform_real_distribution<double> jitter(0, d.jitterMs);
    const double playsFrom = 1000 + d.startsAfterMs; // when frame 0 is heard
    // What the listener hears at t: nothing of the music before it starts.
    const auto truth = [&](double t) { return moveMs + std::max(0.0, t - playsFrom); };
    double last = -1;
    double worst = 0;
    int64_t written = 0;
    for (int k = 0; written < 10 * kRate; ++k) {
        // The device asks when its queue has room: frame `written` is then
        // heard `queued` frames later.
        const double due = playsFrom + (double)(written - d.queued) * 1000 / kRate;
        const double at = std::max(1000.0, due) + jitter(late);
        const int64_t ahead = d.reportsQueue
                                  ? written - (int64_t)std::floor((at - playsFrom) * kRate / 1000)
                                  : d.queued;
        clock.deviceTook(at, d.chunk, std::min(ahead, written + d.queued));
        written += d.chunk;
        // The show reads the clock at each frame between callbacks.
        for (double t = at; t < at + (double)d.chunk * 1000 / kRate; t += 16.6667) {
            const double heard = clock.heardAt(t);
            ASSERT_GE(heard, last) << "the clock went back at " << t;
            last = heard;
            if (t > playsFrom + 1500) {
                worst = std::max(worst, std::fabs(heard - truth(t)));
            }
        }
    }
    // Reported, the queue gives the very moment; estimated, a late callback
    // looks early, and the clock may be off by a part of a frame.
    EXPECT_LT(worst, d.reportsQueue ? 2.0 : 1000.0 / 60) << "off what is heard by that much";
}

INSTANTIATE_TEST_SUITE_P(Devices, SoundClockFollows,
                         testing::Values(Device{"OnTimeReported", 1024, 3072, 0, true, 0},
                                         Device{"OnTimeEstimated", 1024, 3072, 0, false, 0},
                                         Device{"LateAndJittery", 1024, 3072, 9, true, 0},
                                         Device{"HalvedBuffers", 512, 1536, 4, false, 0},
                                         Device{"LargeBuffers", 2048, 2048, 6, true, 0},
                                         Device{"StartsLate", 1024, 4096, 2, true, 70}),
                         [](const testing::TestParamInfo<Device>& info) {
                             return std::string(info.param.name);
                         });

// A move stands the clock at the new place until the device is heard there,
// back or on; a pause holds it; the viewer's offset moves what it says.
TEST(SoundClockMoves, StandsAtAMoveHoldsInAPauseAndTakesTheOffset) {
    SoundClock clock(kRate);
    clock.startAt(50000);
    EXPECT_EQ(clock.heardAt(10), 50000);
    clock.deviceTook(20, 1024, 2048); // its first frame heard in 46 ms
    EXPECT_EQ(clock.heardAt(30), 50000);
    clock.deviceTook(43.2, 1024, 2048);
    EXPECT_NEAR(clock.heardAt(100), 50000 + 100 - 66.4, 1);
    clock.startAt(20000); // a seek back
    EXPECT_EQ(clock.heardAt(110), 20000);
    clock.deviceTook(120, 1024, 0);
    EXPECT_NEAR(clock.heardAt(130), 20010, 1);
    clock.pause(140);
    EXPECT_NEAR(clock.heardAt(900), 20020, 1);
    clock.startAt(20020);
    clock.setOffsetMs(150); // a Bluetooth sink: the picture waits
    clock.deviceTook(1000, 1024, 0);
    EXPECT_NEAR(clock.heardAt(1200), 20220 - 150, 1);
}

} // namespace
