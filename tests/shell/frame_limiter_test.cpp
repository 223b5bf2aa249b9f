// The frame limiter's schedule on a fake clock whose sleeps wake late, with
// frames that take long to draw or to present: the slots stay on the grid,
// a frame only misses its slot for a real reason, and no frame comes early
// to make up for a late one.
#include "shell/frame_limiter.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int64_t kMs = 1000000; // nanoseconds

struct FakeClock {
    int64_t now = 1000 * kMs;
    int64_t wakeLate = 0;          // how late the next sleep wakes
    std::vector<int64_t> sleptFor; // the moments the limiter slept until
};
FakeClock fake;

int64_t fakeNow() {
    return fake.now;
}

void fakeSleepUntil(int64_t moment) {
    fake.sleptFor.push_back(moment);
    if (moment > fake.now) {
        fake.now = moment + fake.wakeLate;
    }
}

// One frame: drawn, then the limiter's wait, then the present.
struct Frame {
    int64_t draw = 2 * kMs;
    int64_t wakeLate = 0;
    int64_t present = kMs / 2;
};

struct ScheduleCase {
    const char* name;
    int fps;
    Frame usual;
    std::map<int, Frame> unusual; // frames that differ from the usual one
    std::vector<int> late;        // the frames the limiter must count late
};

const std::vector<ScheduleCase> kCases = {
    {"punctual sleeps", 60, {}, {}, {}},
    {"every sleep wakes 0.3 ms late", 60, {2 * kMs, kMs * 3 / 10, kMs / 2}, {}, {}},
    {"sleeps wake late by varying amounts up to 1 ms",
     60,
     {},
     {{5, {2 * kMs, kMs, kMs / 2}},
      {6, {2 * kMs, kMs / 10, kMs / 2}},
      {40, {2 * kMs, kMs * 7 / 10, kMs / 2}},
      {41, {2 * kMs, kMs, kMs / 2}}},
     {}},
    {"a scene's first frame draws for 40 ms", 60, {}, {{30, {40 * kMs, 0, kMs / 2}}}, {30}},
    {"one sleep wakes 5 ms late", 60, {}, {{30, {2 * kMs, 5 * kMs, kMs / 2}}}, {30}},
    {"one present takes 25 ms", 60, {}, {{30, {2 * kMs, 0, 25 * kMs}}}, {31}},
    {"two late frames in a row, then late wakes",
     60,
     {2 * kMs, kMs / 5, kMs / 2},
     {{70, {30 * kMs, 0, kMs / 2}}, {71, {30 * kMs, 0, kMs / 2}}},
     {70, 71}},
    {"a whole period of nanoseconds at 7 fps", 7, {2 * kMs, kMs / 3, kMs / 2}, {}, {}},
    {"one frame a second, sleeps 40 ms late", 1, {2 * kMs, 40 * kMs, kMs / 2}, {}, {}},
};

void PrintTo(const ScheduleCase& c, std::ostream* out) {
    *out << c.name;
}

class LimiterSchedule : public testing::TestWithParam<ScheduleCase> {};

} // namespace

TEST_P(LimiterSchedule, SlotsStayOnTheGridAndNoFrameComesEarly) {
    const ScheduleCase& c = GetParam();
    fake = FakeClock();
    FrameLimiter limiter;
    limiter.fps = c.fps;
    limiter.clock = {fakeNow, fakeSleepUntil};
    const int64_t period = 1000 * kMs / c.fps;

    int64_t gridStart = 0; // the present of the first frame or the last late one
    int slot = 0;
    int64_t lastStart = 0;
    Frame last;
    std::vector<int> late;
    for (int n = 0; n < 300; ++n) {
        const auto unusual = c.unusual.find(n);
        const Frame frame = unusual == c.unusual.end() ? c.usual : unusual->second;
        fake.now += frame.draw;
        fake.wakeLate = frame.wakeLate;
        const uint64_t lateBefore = limiter.lateFrames;
        const size_t sleepsBefore = fake.sleptFor.size();
        waitForNextFrame(limiter);
        const int64_t start = fake.now;
        if (n == 0 || limiter.lateFrames != lateBefore) {
            if (n > 0) {
                late.push_back(n);
            }
            gridStart = start;
            slot = 0;
        } else {
            ++slot;
            ASSERT_EQ(fake.sleptFor.size(), sleepsBefore + 1) << "frame " << n;
            // Whole nanoseconds from the grid's start: no drift from late wakes.
            EXPECT_EQ(fake.sleptFor.back(), gridStart + slot * (1000 * kMs) / c.fps)
                << "frame " << n;
        }
        if (n > 0) {
            // Early by no more than the previous sleep woke late.
            EXPECT_GE(start - lastStart, period - last.wakeLate) << "frame " << n;
        }
        lastStart = start;
        last = frame;
        fake.now += frame.present;
    }
    EXPECT_EQ(late, c.late);
    EXPECT_EQ(limiter.lateFrames, c.late.size());
}

INSTANTIATE_TEST_SUITE_P(FakeClock, LimiterSchedule, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<ScheduleCase>& info) {
                             std::string name;
                             for (const char* p = info.param.name; *p != '\0'; ++p) {
                                 name += isalnum((unsigned char)*p) ? *p : '_';
                             }
                             return name;
                         });
