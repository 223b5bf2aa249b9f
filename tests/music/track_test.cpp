// The committed music track: format, length, mastering, the loop of its
// ending, and the shape of the arrangement against the scene timeline; and
// the web page's smaller coding of it.
#include "decoded_track.h"
#include "music_tools.h"

#include "scenes/show.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace music_test;

namespace {

double sceneStarts(int scene) {
    return kTimeline[scene].trackMs / 1000.0;
}

constexpr int kTree = 4, kMoon = 5, kWarp = 6, kCandles = kLastScene;

const DecodedTrack& committedTrack() {
    static const DecodedTrack track = decodeMp3(committedTrackPath());
    return track;
}

struct LoopPoints {
    bool found = false;
    long start = 0;
    long end = 0;
};

// The one "loop START END" line among '#' comments.
LoopPoints readLoopFile(const std::string& path) {
    LoopPoints loop;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream words(line);
        std::string keyword;
        loop.found = static_cast<bool>(words >> keyword >> loop.start >> loop.end) &&
                     keyword == "loop" && !loop.found;
    }
    return loop;
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

// The largest step between neighbouring samples of one channel in [from, to).
int largestStep(const DecodedTrack& track, long from, long to, int channel) {
    int largest = 0;
    for (long frame = from; frame + 1 < to; ++frame)
        largest = std::max(largest, std::abs(track.samples[(frame + 1) * 2 + channel] -
                                             track.samples[frame * 2 + channel]));
    return largest;
}

// mkmusic --report on a track, as one shell command.
std::string reportCommand(const std::string& track) {
    // NOTE: appended piece by piece; GCC 12 warns falsely (-Wrestrict) on a
    // chain of + that starts with a literal.
    std::string command = "'";
    command += generatorPath();
    command += "' --report '";
    command += track;
    command += "'";
    return command;
}

} // namespace

// Both codings: the release the show plays, and the web page's.
class MusicCoding : public testing::TestWithParam<std::string> {};
INSTANTIATE_TEST_SUITE_P(MusicTrack, MusicCoding,
                         testing::Values(committedTrackPath(), committedWebTrackPath()));

TEST_P(MusicCoding, DecodesAsStereoAt44100HzEndingWhereItsLoopEnds) {
    const DecodedTrack track = decodeMp3(GetParam());
    ASSERT_TRUE(track.opened) << GetParam();
    EXPECT_EQ(track.rate, 44100);
    EXPECT_EQ(track.channels, 2);
    LoopPoints loop = readLoopFile(committedLoopPath());
    ASSERT_TRUE(loop.found) << committedLoopPath();
    EXPECT_EQ(static_cast<long>(track.samples.size() / 2), loop.end);
    EXPECT_LT(track.seconds(), 180.0) << "the track has grown long";
}

// The generator's own measure of the goals of the track's sound (its
// spectrum, stereo image, arc of loudness, downbeats, repeats), on the
// committed track as a player decodes it.
TEST(MusicTrack, MeetsTheGoalsOfItsSound) {
    CommandResult run = runCommand(reportCommand(committedTrackPath()));
    EXPECT_EQ(run.exitCode, 0) << run.output;
}

// The report's measures catch what they are for: the committed track
// spoilt by ffmpeg, the warp's flight turned down and a hiss above 7 kHz that
// never rests, misses exactly those goals.
TEST(MusicTrack, TheReportMissesTheGoalsOfASpoiltTrack) {
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("snolk-spoilt-" + std::to_string(getpid()) + ".mp3"))
                                 .string();
    CommandResult made = runCommand(
        "ffmpeg -v error -y -i '" + committedTrackPath() +
        "' -filter_complex \"[0:a]volume=enable='between(t,87.4,99.4)':volume=-6dB[flat];"
        "anoisesrc=d=170:a=0.03:r=44100:seed=1,highpass=f=7000,aformat=channel_layouts=stereo[n];"
        "[flat][n]amix=inputs=2:duration=first:normalize=0\" -c:a libmp3lame -b:a 224k '" +
        path + "'");
    ASSERT_EQ(made.exitCode, 0) << made.output;
    CommandResult run = runCommand(reportCommand(path));
    std::filesystem::remove(path);
    EXPECT_EQ(run.exitCode, 1);
    for (const char* line : {"LU over the moonlit sky's loudest 10 s", "LU over the title card",
                             "sparkler: the top end rests", "plasma: the top end rests",
                             "candles: the top end rests", "tree: the bells' 8 kHz octave"})
        EXPECT_NE(run.output.find(line), std::string::npos) << line << "\n" << run.output;
}

TEST(MusicTrack, MeetsTheLoudnessAndTruePeakTargets) {
    LoudnessMeasurement loudness = measureLoudness(committedTrackPath());
    ASSERT_TRUE(loudness.measured) << "ffmpeg could not measure " << committedTrackPath();
    EXPECT_NEAR(loudness.integratedLufs, -16.0, 0.5);
    EXPECT_LE(loudness.truePeakDb, -1.0);
}

TEST(MusicTrack, HasNoDcOffset) {
    const DecodedTrack& track = committedTrack();
    ASSERT_TRUE(track.opened);
    for (int channel = 0; channel < 2; ++channel)
        EXPECT_LT(std::abs(dcOffset(track, channel)), 0.001) << "channel " << channel;
}

// Heard in mono (one speaker, a phone), no section may lose its tune: the
// channels stay alike and their sum keeps its level.
TEST(MusicTrack, EverySectionHoldsUpInMono) {
    const DecodedTrack& track = committedTrack();
    ASSERT_TRUE(track.opened);
    for (int scene = 0; scene < kSceneCount; ++scene) {
        double from = sceneStarts(scene);
        double to = scene + 1 < kSceneCount ? sceneStarts(scene + 1) : track.seconds();
        StereoImage image = stereoImageBetween(track, from, to);
        EXPECT_GE(image.correlation, 0.4) << "scene " << scene << " from " << from << " s";
        EXPECT_LE(image.monoLossDb, 1.6) << "scene " << scene << " from " << from << " s";
    }
}

// A hit lands on each cut the music marks with one, and on the moments
// inside scenes it follows, within a video frame.
TEST(MusicTrack, HitsLandOnTheCutsWithinAFrame) {
    const DecodedTrack& track = committedTrack();
    ASSERT_TRUE(track.opened);
    std::vector<double> moments;
    for (int scene = 1; scene < kSceneCount; ++scene)
        moments.push_back(sceneStarts(scene));
    moments.push_back(sceneStarts(kMoon) + kSkyLatePhaseMs / 1000.0);
    for (int change : {kWarpHoldEndsMs, kWarpZoomEndsMs, kWarpStraightEndsMs})
        moments.push_back(sceneStarts(kWarp) + change / 1000.0);
    for (double moment : moments) {
        Onset onset = strongestOnsetNear(track, moment, 0.08);
        EXPECT_GT(onset.growth, 2.0) << "no clear hit near " << moment << " s";
        EXPECT_NEAR(onset.seconds, moment, 1.0 / 60.0) << "the hit near " << moment << " s";
    }
}

TEST(MusicTrack, HasNoLongSilenceBeforeTheCandles) {
    const DecodedTrack& track = committedTrack();
    ASSERT_TRUE(track.opened);
    EXPECT_LT(longestSilenceBefore(track, sceneStarts(kCandles)), 2.0);
}

TEST(MusicTrack, BuildsUpToTheWarpAndCalmsDownForTheCandles) {
    const DecodedTrack& track = committedTrack();
    ASSERT_TRUE(track.opened);
    double plasma = levelBetween(track, 45.0, sceneStarts(kTree) - 1.0);
    double tree = levelBetween(track, sceneStarts(kTree) + 0.2, sceneStarts(kMoon) - 0.2);
    double moon = levelBetween(track, sceneStarts(kMoon) + 0.5, sceneStarts(kMoon) + 8.0);
    double warp = levelBetween(track, sceneStarts(kWarp) + 0.5, sceneStarts(kCandles) - 0.5);
    double candles = levelBetween(track, sceneStarts(kCandles) + 1.0, track.seconds());
    EXPECT_LT(tree, plasma - 6.0) << "the tree is a breath between two busy scenes";
    EXPECT_GT(warp, moon + 3.0) << "the moonlit sky builds up to the warp";
    EXPECT_GE(warp, plasma) << "the warp is the peak of the track";
    // Calm, but not so far below the warp that the track's loudness range
    // passes 8 LU.
    EXPECT_LT(candles, warp - 2.0) << "the candles are calm";
}

// The candles stay until the viewer quits: the player plays the track to the
// loop's end, then from its start again, for ever. Jumping from the last
// frame back to the first must be no larger a step than the music's own
// steps around there, and the loop must be music, not silence.
TEST_P(MusicCoding, ItsEndingLoopsWithoutASeam) {
    const DecodedTrack track = decodeMp3(GetParam());
    ASSERT_TRUE(track.opened) << GetParam();
    LoopPoints loop = readLoopFile(committedLoopPath());
    ASSERT_TRUE(loop.found) << committedLoopPath();
    ASSERT_GE(loop.start, static_cast<long>(sceneStarts(kCandles) * track.rate));
    ASSERT_LE(loop.end, static_cast<long>(track.samples.size() / 2));
    ASSERT_GT(loop.end - loop.start, 20 * track.rate) << "a loop this short would be heard";
    const long around = track.rate / 10;
    for (int channel = 0; channel < 2; ++channel) {
        int jump = std::abs(track.samples[loop.start * 2 + channel] -
                            track.samples[(loop.end - 1) * 2 + channel]);
        int ordinary = std::max(largestStep(track, loop.end - around, loop.end, channel),
                                largestStep(track, loop.start, loop.start + around, channel));
        EXPECT_LE(jump, ordinary) << "channel " << channel;
    }
    EXPECT_GT(levelBetween(track, static_cast<double>(loop.start) / track.rate,
                           static_cast<double>(loop.end) / track.rate),
              -40.0);
}
