// The committed music track: format, length, mastering and the shape of the
// arrangement against the scene timeline.
#include "decoded_track.h"
#include "music_tools.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace music_test;

namespace {

// The track runs from the show's start through the candles' closing fade.
constexpr double kExpectedSeconds = 152.0;

// Scene handovers, in seconds of track time.
constexpr double kTreeStarts = 67.3;
constexpr double kMoonStarts = 69.3;
constexpr double kWarpStarts = 84.3;
constexpr double kCandlesStart = 99.3;

const DecodedTrack& committedTrack() {
    static const DecodedTrack track = decodeMp3(committedTrackPath());
    return track;
}

// The longest stretch, before a time, whose level stays under -60 dBFS,
// measured in 100 ms windows.
double longestSilenceBefore(const DecodedTrack& track, double until) {
    double longest = 0.0, current = 0.0;
    for (double at = 0.0; at + 0.1 <= until; at += 0.1) {
        current = levelBetween(track, at, at + 0.1) < -60.0 ? current + 0.1 : 0.0;
        longest = std::max(longest, current);
    }
    return longest;
}

} // namespace

TEST(MusicTrack, DecodesAsStereoAt44100HzOfTheExpectedLength) {
    const DecodedTrack& track = committedTrack();
    ASSERT_TRUE(track.opened) << committedTrackPath();
    EXPECT_EQ(track.rate, 44100);
    EXPECT_EQ(track.channels, 2);
    EXPECT_NEAR(track.seconds(), kExpectedSeconds, 1.0);
}

TEST(MusicTrack, MeetsTheLoudnessAndTruePeakTargets) {
    LoudnessMeasurement loudness = measureLoudness(committedTrackPath());
    ASSERT_TRUE(loudness.measured) << "ffmpeg could not measure " << committedTrackPath();
    EXPECT_NEAR(loudness.integratedLufs, -16.0, 0.5);
    EXPECT_LE(loudness.truePeakDb, -1.0);
}

TEST(MusicTrack, HasNoLongSilenceBeforeTheCandles) {
    const DecodedTrack& track = committedTrack();
    ASSERT_TRUE(track.opened);
    EXPECT_LT(longestSilenceBefore(track, kCandlesStart), 2.0);
}

TEST(MusicTrack, BuildsUpToTheWarpAndCalmsDownForTheCandles) {
    const DecodedTrack& track = committedTrack();
    ASSERT_TRUE(track.opened);
    double plasma = levelBetween(track, 45.0, kTreeStarts - 1.0);
    double tree = levelBetween(track, kTreeStarts + 0.2, kMoonStarts - 0.2);
    double moon = levelBetween(track, kMoonStarts + 0.5, kMoonStarts + 8.0);
    double warp = levelBetween(track, kWarpStarts + 0.5, kCandlesStart - 0.5);
    double candles = levelBetween(track, kCandlesStart + 1.0, 145.0);
    EXPECT_LT(tree, plasma - 6.0) << "the tree is a breath between two busy scenes";
    EXPECT_GT(warp, moon + 3.0) << "the moonlit sky builds up to the warp";
    EXPECT_GE(warp, plasma) << "the warp is the peak of the track";
    EXPECT_LT(candles, warp - 6.0) << "the candles are calm";
}

TEST(MusicTrack, EndsSoftly) {
    const DecodedTrack& track = committedTrack();
    ASSERT_TRUE(track.opened);
    double end = track.seconds();
    EXPECT_LT(levelBetween(track, end - 0.5, end), -50.0);
    EXPECT_LT(levelBetween(track, end - 3.0, end - 1.5),
              levelBetween(track, kCandlesStart + 1.0, 145.0) - 6.0);
}
