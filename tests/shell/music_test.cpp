// The music player, driven as the audio callback drives it: the looped
// ending for ten minutes with no gap, click or drift; seeks; and broken
// tracks and loop files, which cost one line and leave silence.
#include "music/decoded_track.h"
#include "robustness/damaged_data.h"
#include "scenes/show.h"
#include "shell/music.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>
#include <mpg123.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

using music_test::DecodedTrack;
using music_test::decodeMp3;

namespace {

const std::string kTrack = "data/laten2.mp3";
const std::string kLoop = "data/laten2.loop";

// The test track: a chord whose partials all repeat within its loop
// [2 s, 6 s), faded in over the first two seconds so that the intro differs
// from the loop; the track ends where the loop does, so its end runs on
// into the loop's start as the generator's ending does.
const std::string kGoodLoop = "# the chord's loop\nloop 88200 264600\n";

bool makeChordTrack(const std::string& path, int rate) {
    const std::string chord =
        "aevalsrc=exprs='min(t/2\\,1)*(0.3*sin(2*PI*220*t)+0.2*sin(2*PI*277.5*t))|"
        "min(t/2\\,1)*(0.3*sin(2*PI*330*t)+0.15*sin(2*PI*441*t))':s=" +
        std::to_string(rate) + ":d=6";
    std::filesystem::create_directories("data");
    const std::string command = "ffmpeg -v error -y -f lavfi -i \"" + chord +
                                "\" -c:a libmp3lame -b:a 160k '" + path + "' 2>/dev/null";
    return system(command.c_str()) == 0;
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// The largest sample-to-sample step of one channel between two frames.
int largestStep(const DecodedTrack& track, int64_t from, int64_t to, int channel) {
    int largest = 0;
    for (int64_t i = from + 1; i < to; ++i) {
        largest = std::max(largest, std::abs(track.samples[i * 2 + channel] -
                                             track.samples[(i - 1) * 2 + channel]));
    }
    return largest;
}

// What was heard, against the full decode at the place the show has
// reached: from a frame on, and round and round the loop once past its end.
struct Hearing {
    int64_t frames = 0;
    int64_t firstWrong = -1; // the first frame unlike the full decode's
    int64_t silence = 0;     // frames of digital silence in a row, now and at most
    int64_t longestSilence = 0;
    int loopsClosed = 0;
    int largestSeamJump[2] = {0, 0}; // from the loop's last frame to its first
};

Hearing playAndHear(MusicStream* stream, double seconds, const DecodedTrack& track,
                    const LoopPoints* loop, Uint32 fromMs) {
    Hearing h;
    const int64_t from = (int64_t)fromMs * track.rate / 1000;
    const int64_t length = (int64_t)track.samples.size() / 2;
    std::vector<Sint16> piece(2048 * 2); // what the device asks for at a time
    Sint16 last[2] = {0, 0};
    while (h.frames < (int64_t)(seconds * (double)track.rate)) {
        fillMusic(stream, reinterpret_cast<Uint8*>(piece.data()), (int)piece.size() * 2);
        for (size_t k = 0; k < piece.size() / 2; ++k, ++h.frames) {
            const int64_t played = from + h.frames;
            const bool wrapped = loop != nullptr && played >= loop->end;
            const int64_t at =
                wrapped ? loop->start + (played - loop->start) % (loop->end - loop->start) : played;
            const bool seam = wrapped && at == loop->start && h.frames > 0;
            h.loopsClosed += seam ? 1 : 0;
            for (int channel = 0; channel < 2; ++channel) {
                const Sint16 sample = piece[k * 2 + channel];
                if (sample != (at < length ? track.samples[at * 2 + channel] : 0) &&
                    h.firstWrong < 0) {
                    h.firstWrong = h.frames;
                }
                if (seam) {
                    h.largestSeamJump[channel] =
                        std::max(h.largestSeamJump[channel], std::abs(sample - last[channel]));
                }
                last[channel] = sample;
            }
            h.silence = piece[k * 2] == 0 && piece[k * 2 + 1] == 0 ? h.silence + 1 : 0;
            h.longestSilence = std::max(h.longestSilence, h.silence);
        }
    }
    return h;
}

struct PlayCase {
    const char* name;
    Uint32 fromMs;
    double seconds;
    bool loops;
    bool showsOwnTrack; // the committed track and loop, once the loop file is there
};

void PrintTo(const PlayCase& c, std::ostream* out) {
    *out << c.name;
}

class MusicPlayer : public testing::TestWithParam<PlayCase> {};

// Every frame played is the full decode's frame at the show's place in the
// track: from a seek, through the ending and round its loop, sample for
// sample at the hundredth pass as at the first. No gap, and the jump from
// the loop's last frame to its first is no larger than the material's own
// steps there.
TEST_P(MusicPlayer, PlaysTheFullDecodeAtEachPlaceInTheTrack) {
    const PlayCase& c = GetParam();
    ScratchFolder folder;
    std::string track = kTrack;
    std::string loopFile = kLoop;
    if (c.showsOwnTrack) {
        track = SNOLK_SOURCE_DIR "/" + kTrack;
        loopFile = SNOLK_SOURCE_DIR "/" + kLoop;
        if (!std::filesystem::exists(loopFile)) {
            GTEST_SKIP() << loopFile << " is not there yet";
        }
    } else if (!makeChordTrack(track, kLoopRate)) {
        GTEST_SKIP() << "ffmpeg cannot make an MP3 track here";
    } else if (c.loops) {
        writeFile(loopFile, kGoodLoop);
    }
    LoopPoints loop;
    std::string why;
    std::string loopWhy;
    ASSERT_EQ(readLoopPoints(loopFile.c_str(), loop, why), c.loops) << why;
    const DecodedTrack reference = decodeMp3(track);
    ASSERT_TRUE(reference.opened);

    MusicStream* stream = openMusicStream(track.c_str(), loopFile.c_str(), c.fromMs, why, loopWhy);
    ASSERT_NE(stream, nullptr) << why;
    const Hearing h =
        playAndHear(stream, c.seconds, reference, c.loops ? &loop : nullptr, c.fromMs);
    closeMusicStream(stream);

    EXPECT_EQ(h.firstWrong, -1) << "frame " << h.firstWrong << " of those played";
    if (!c.loops) {
        return;
    }
    EXPECT_LT(h.longestSilence, reference.rate / 100) << "a gap of " << h.longestSilence;
    const int64_t passes = (int64_t)(c.seconds * reference.rate) / (loop.end - loop.start);
    EXPECT_GE(h.loopsClosed, passes - 1);
    const int64_t around = reference.rate / 10;
    for (int channel = 0; channel < 2; ++channel) {
        const int ordinary =
            std::max(largestStep(reference, loop.end - around, loop.end, channel),
                     largestStep(reference, loop.start, loop.start + around, channel));
        EXPECT_LE(h.largestSeamJump[channel], ordinary) << "channel " << channel;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Music, MusicPlayer,
    testing::Values(PlayCase{"TenMinutesOfTheLoopedEnding", 0, 600.0, true, false},
                    PlayCase{"FromBeforeTheLoop", 1234, 10.0, true, false},
                    PlayCase{"FromInsideTheLoop", 3001, 10.0, true, false},
                    PlayCase{"FromPastTheLoopsEndGoneRoundIt", 60007, 10.0, true, false},
                    PlayCase{"WithoutALoopOnceThenSilence", 1234, 10.0, false, false},
                    PlayCase{"PastTheEndOfATrackThatDoesNotLoop", 7000, 3.0, false, false},
                    PlayCase{"TheShowsOwnEndingForTenMinutes",
                             kTimeline[kLastScene].trackMs - kShowStartMs, 600.0, true, true}),
    [](const testing::TestParamInfo<PlayCase>& info) { return std::string(info.param.name); });

// Damage done in the scratch folder after the chord track and the loop
// file are written; false when it could not be done.
using Breaking = bool (*)();

bool nothing() {
    return true;
}
bool replacedBy(const std::string& path, bool fifo) {
    return remove(path.c_str()) == 0 &&
           (fifo ? mkfifo(path.c_str(), 0600) : mkdir(path.c_str(), 0700)) == 0;
}
template <Damage kind> bool damaged() {
    return damageFile(".", kTrack, kind);
}

struct BrokenCase {
    const char* name;
    Breaking breaking;
    std::string loopText;
    const char* line; // how the one line on standard error starts; "" for none
};

void PrintTo(const BrokenCase& c, std::ostream* out) {
    *out << c.name;
}

class BrokenMusic : public testing::TestWithParam<BrokenCase> {};

// The show starts with at most one line on standard error, nothing of
// libmpg123's own, and no hang; a track that plays but cannot loop plays
// once and falls silent, and one that cannot play gives no stream at all.
TEST_P(BrokenMusic, OneLineAndSilence) {
    const BrokenCase& c = GetParam();
    ScratchFolder folder;
    if (!makeChordTrack(kTrack, kLoopRate)) {
        GTEST_SKIP() << "ffmpeg cannot make an MP3 track here";
    }
    writeFile(kLoop, c.loopText);
    ASSERT_TRUE(c.breaking());

    StdoutCapture errors(stderr);
    const bool started = startMusic(kTrack.c_str(), kLoop.c_str(), 0);
    stopMusic();
    exerciseMusicFile(kTrack.c_str(), kLoop.c_str(), 3001); // the fuzzer's way in says nothing
    const std::string said = errors.finish();
    if (c.line[0] == '\0') {
        EXPECT_EQ(said, "");
    } else {
        EXPECT_EQ(said.rfind(c.line, 0), 0u) << said;
        EXPECT_EQ(said.find('\n'), said.size() - 1) << said;
        EXPECT_NE(said.find("data/laten2."), std::string::npos) << said;
    }

    std::string why;
    std::string loopWhy;
    MusicStream* stream = openMusicStream(kTrack.c_str(), kLoop.c_str(), 0, why, loopWhy);
    const bool playable = std::string(c.line) != "no music: ";
    EXPECT_EQ(started, playable);
    ASSERT_EQ(stream != nullptr, playable) << why;
    if (!playable) {
        return;
    }
    const DecodedTrack reference = decodeMp3(kTrack);
    const Hearing h = playAndHear(stream, reference.seconds() + 3.0, reference, nullptr, 0);
    closeMusicStream(stream);
    EXPECT_EQ(h.firstWrong, -1) << "frame " << h.firstWrong << " of those played";
    EXPECT_GE(h.silence, 2 * reference.rate) << "silence after the end";
}

const char kBinaryLoop[] = "\x7f\0\xff\nloop\0 1 2";

INSTANTIATE_TEST_SUITE_P(
    Music, BrokenMusic,
    testing::Values(
        BrokenCase{"LoopMissing", [] { return remove(kLoop.c_str()) == 0; }, "", "no loop: "},
        BrokenCase{"LoopEmpty", nothing, "", "no loop: "},
        BrokenCase{"LoopOnlyComments", nothing, "# loop 88200 264600\n", "no loop: "},
        BrokenCase{"LoopStartIsItsEnd", nothing, "loop 88200 88200\n", "no loop: "},
        BrokenCase{"LoopBackwards", nothing, "loop 264600 88200\n", "no loop: "},
        BrokenCase{"LoopBeforeTheTrack", nothing, "loop -1 88200\n", "no loop: "},
        BrokenCase{"LoopShorterThanASecond", nothing, "loop 88200 100000\n", "no loop: "},
        BrokenCase{"LoopPastTheTracksEnd", nothing, "loop 88200 264601\n", "no loop: "},
        BrokenCase{"LoopWithAThirdNumber", nothing, "loop 88200 264600 7\n", "no loop: "},
        BrokenCase{"LoopInSeconds", nothing, "loop 2.0 6.0\n", "no loop: "},
        BrokenCase{"LoopTwice", nothing, kGoodLoop + kGoodLoop, "no loop: "},
        BrokenCase{"LoopBeyond64Bits", nothing, "loop 99999999999999999999 1\n", "no loop: "},
        BrokenCase{"LoopBinary", nothing, std::string(kBinaryLoop, sizeof kBinaryLoop - 1),
                   "no loop: "},
        BrokenCase{"LoopHuge", nothing, std::string(100000, '#') + "\n" + kGoodLoop, "no loop: "},
        BrokenCase{"LoopIsAFifo", [] { return replacedBy(kLoop, true); }, "", "no loop: "},
        BrokenCase{"LoopIsAFolder", [] { return replacedBy(kLoop, false); }, "", "no loop: "},
        BrokenCase{"LoopOnA48kHzTrack", [] { return makeChordTrack(kTrack, 48000); }, kGoodLoop,
                   "no loop: "},
        // Decodes as far as it goes, then ends before the loop's end.
        BrokenCase{"TrackCutInHalf", damaged<Damage::CutInHalf>, kGoodLoop, ""},
        BrokenCase{"TrackWithAHugeSparseEnd",
                   [] { return truncate(kTrack.c_str(), 8LL << 30) == 0; }, "", "no loop: "},
        BrokenCase{"TrackMissing", damaged<Damage::Missing>, kGoodLoop, "no music: "},
        BrokenCase{"TrackEmpty", damaged<Damage::Empty>, kGoodLoop, "no music: "},
        BrokenCase{"TrackRandomBytes", damaged<Damage::RandomBytes>, kGoodLoop, "no music: "},
        BrokenCase{"TrackIsAFifo", [] { return replacedBy(kTrack, true); }, kGoodLoop,
                   "no music: "},
        BrokenCase{"TrackIsAFolder", [] { return replacedBy(kTrack, false); }, kGoodLoop,
                   "no music: "},
        // An ID3v2 tag that claims the largest size a tag can have.
        BrokenCase{"TrackBehindAHugeId3Tag",
                   [] {
                       std::ifstream in(kTrack, std::ios::binary);
                       const std::string frames((std::istreambuf_iterator<char>(in)), {});
                       writeFile(kTrack, std::string("ID3\x03\0\0\x7f\x7f\x7f\x7f", 10) + frames);
                       return true;
                   },
                   kGoodLoop, "no music: "}),
    [](const testing::TestParamInfo<BrokenCase>& info) { return std::string(info.param.name); });

// Breaks 4 bytes at the start of the MPEG frame that holds sample frame
// `at` (1105 frames of the encoder's and the decoder's delay come first,
// 1152 to an MPEG frame).
bool breakFrameHolding(const std::string& path, int64_t at) {
    mpg123_handle* decoder = mpg123_new(nullptr, nullptr);
    mpg123_param(decoder, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
    const off_t holding = (off_t)((at + 1105) / 1152);
    off_t offset = -1;
    if (mpg123_open(decoder, path.c_str()) == MPG123_OK) {
        if (mpg123_seek_frame(decoder, holding, SEEK_SET) == holding) {
            offset = mpg123_framepos(decoder);
        }
        mpg123_close(decoder);
    }
    mpg123_delete(decoder);
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(offset);
    file.write("\xde\xad\xbe\xef", 4);
    return offset > 0 && (bool)file;
}

// The show's own track with the frame where its loop starts damaged: the
// decoder skips that frame, so the track ends just before the loop's end.
// The loop turns there and goes on, rather than falling silent for good.
TEST(MusicPlayer, ADamagedFrameWhereTheLoopStartsDoesNotSilenceIt) {
    ScratchFolder folder;
    std::filesystem::create_directories("data");
    std::filesystem::copy_file(SNOLK_SOURCE_DIR "/" + kTrack, kTrack);
    std::filesystem::copy_file(SNOLK_SOURCE_DIR "/" + kLoop, kLoop);
    LoopPoints loop;
    std::string why;
    std::string loopWhy;
    ASSERT_TRUE(readLoopPoints(kLoop.c_str(), loop, why)) << why;
    ASSERT_TRUE(breakFrameHolding(kTrack, loop.start));
    const DecodedTrack reference = decodeMp3(kTrack);
    const Uint32 fromMs = (Uint32)(loop.end * 1000 / kLoopRate - 3000);
    MusicStream* stream = openMusicStream(kTrack.c_str(), kLoop.c_str(), fromMs, why, loopWhy);
    ASSERT_NE(stream, nullptr) << why;
    EXPECT_EQ(loopWhy, "");
    const Hearing h = playAndHear(stream, 10.0, reference, &loop, fromMs);
    closeMusicStream(stream);
    EXPECT_LT(h.longestSilence, reference.rate / 100) << "a gap of " << h.longestSilence;
}

} // namespace
