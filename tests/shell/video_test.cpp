// The renderer's video: what ffprobe and ffmpeg read back from it, and what
// is left on disk when the encoder is missing or fails.
#include "shell/render_clock.h"

#include "support/fixtures.h"
#include "support/run_program.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

namespace {

using SurfacePtr = std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)>;

// A scratch folder whose data/ holds the show's pictures and a made-up mono
// track: silence until 2.5 s, then a tone until 8 s, and again from
// 84.883 s, half a second after the warp's place in the track (84.383 s), so
// the sound shows where the video starts. Its loop is the last second.
class VideoFolder {
  public:
    VideoFolder() {
        const ProgramResult made =
            runProgram(std::string("mkdir data && for f in ") + SNOLK_SOURCE_DIR +
                           "/data/*; do ln -s \"$f\" data/; done; rm -f data/laten2.*; "
                           "echo 'loop 3748500 3792600' >data/laten2.loop; "
                           "ffmpeg -v error -f lavfi -i "
                           "'aevalsrc=if(gte(t\\,2.5)*lt(t\\,8)+gte(t\\,84.883)\\,"
                           "0.5*sin(2*PI*440*t)\\,0):d=86:s=44100' "
                           "-c:a libmp3lame data/laten2.mp3",
                       true);
        EXPECT_EQ(made.status, 0) << made.out;
    }

  private:
    ScratchFolder folder_;
};

// "key=value" lines of ffprobe for the chosen stream ("v" or "a").
std::string probe(const std::string& file, const std::string& stream, const std::string& entries) {
    return runProgram("ffprobe -v error -count_frames -select_streams " + stream +
                      " -show_entries stream=" + entries + " -of default=noprint_wrappers=1 " +
                      file)
        .out;
}

double probedNumber(const std::string& file, const std::string& stream, const std::string& entry) {
    const std::string line = probe(file, stream, entry);
    const size_t equals = line.find('=');
    return equals == std::string::npos ? -1 : atof(line.c_str() + equals + 1);
}

// The sound of a video as 8 kHz mono samples.
std::vector<int16_t> soundOf(const std::string& file) {
    const std::string raw =
        runProgram("ffmpeg -v error -i " + file + " -map 0:a -ac 1 -ar 8000 -f s16le -").out;
    std::vector<int16_t> samples(raw.size() / 2);
    memcpy(samples.data(), raw.data(), samples.size() * 2);
    return samples;
}

double secondsUntilLoud(const std::vector<int16_t>& samples) {
    for (size_t i = 0; i < samples.size(); ++i) {
        if (std::abs(samples[i]) > 3000) {
            return i / 8000.0;
        }
    }
    return -1;
}

SurfacePtr loadPicture(const std::string& path) {
    SurfacePtr picture(IMG_Load(path.c_str()), SDL_FreeSurface);
    EXPECT_NE(picture, nullptr) << path;
    return picture;
}

void rgbAt(const SDL_Surface* s, int x, int y, Uint8 rgb[3]) {
    const Uint8* at =
        static_cast<const Uint8*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
    Uint32 word = 0;
    memcpy(&word, at, s->format->BytesPerPixel);
    SDL_GetRGB(word, s->format, &rgb[0], &rgb[1], &rgb[2]);
}

struct Difference {
    double mean = 0;        // per channel, 0 ... 255
    double shareFarOff = 0; // of the channels that differ by more than 40
};

// Compares each pixel of the rendered frame with the middle of its enlarged
// copy in the decoded video frame.
Difference compareFrames(const SDL_Surface* rendered, const SDL_Surface* decoded, int scale) {
    Difference d;
    long total = 0;
    long farOff = 0;
    for (int y = 0; y < rendered->h; ++y) {
        for (int x = 0; x < rendered->w; ++x) {
            Uint8 a[3];
            Uint8 b[3];
            rgbAt(rendered, x, y, a);
            rgbAt(decoded, x * scale + scale / 2, y * scale + scale / 2, b);
            for (int c = 0; c < 3; ++c) {
                const int off = std::abs(a[c] - b[c]);
                total += off;
                farOff += off > 40;
            }
        }
    }
    const double channels = 3.0 * rendered->w * rendered->h;
    d.mean = total / channels;
    d.shareFarOff = farOff / channels;
    return d;
}

bool exists(const char* path) {
    return std::filesystem::exists(path);
}

} // namespace

TEST(Video, ShortRenderHasTheFramesRateAndSound) {
    VideoFolder folder;
    const ProgramResult r =
        runProgram("SNOLK_BIN/snolk-render --frames 120 --video v.mp4 --png . --every 1000", true);
    ASSERT_EQ(r.status, 0) << r.out;
    // Not a terminal: no progress line, and the track was found.
    EXPECT_EQ(r.out, "");
    EXPECT_FALSE(exists("v.mp4.part"));

    EXPECT_EQ(probe("v.mp4", "v", "codec_name,width,height,pix_fmt,r_frame_rate,nb_read_frames"),
              "codec_name=h264\nwidth=640\nheight=480\npix_fmt=yuv420p\nr_frame_rate=60/1\n"
              "nb_read_frames=120\n");
    EXPECT_EQ(probe("v.mp4", "a", "codec_name"), "codec_name=aac\n");
    // AAC comes in blocks of 1024 samples: the sound may run a block longer.
    EXPECT_NEAR(probedNumber("v.mp4", "a", "duration"), 2.0, 0.05);

    ASSERT_EQ(runProgram("ffmpeg -v error -i v.mp4 -frames:v 1 decoded.png").status, 0);
    const SurfacePtr rendered = loadPicture("frame-000001.png");
    const SurfacePtr decoded = loadPicture("decoded.png");
    ASSERT_TRUE(rendered && decoded);
    const Difference d = compareFrames(rendered.get(), decoded.get(), 1);
    EXPECT_LT(d.mean, 2.0);
    EXPECT_LT(d.shareFarOff, 0.01);
}

// The first frame plays the track where the first scene stands in it: at two
// seconds for the whole show whatever the start offset, and at the warp's
// place for a show begun with the warp, whose first frame then draws its
// caption.
TEST(Video, FirstFramePlaysTheTrackWhereTheFirstSceneStands) {
    VideoFolder folder;
    for (const char* options : {"--start 0", "--start 3", "--scene 6 --png ."}) {
        const ProgramResult r = runProgram(
            std::string("SNOLK_BIN/snolk-render --fps 50 --frames 60 --video v.mp4 ") + options,
            true);
        ASSERT_EQ(r.status, 0) << r.out;
        EXPECT_NEAR(secondsUntilLoud(soundOf("v.mp4")), 0.5, 0.01) << options;
        EXPECT_NEAR(probedNumber("v.mp4", "a", "duration"), 1.2, 0.05) << options;
    }
    const SurfacePtr warp = loadPicture("frame-000001.png");
    Uint8 rgb[3] = {};
    int red = 0;
    for (int x = 300; x < 640; ++x) {
        for (int y = 20; y < 52; ++y) {
            rgbAt(warp.get(), x, y, rgb);
            red += rgb[0] > 100 && rgb[1] < 80;
        }
    }
    EXPECT_GT(red, 500) << "the caption of the warp";
}

TEST(Video, ATrackShorterThanTheVideoEndsInSilenceNotInACut) {
    VideoFolder folder;
    // The track holds 6 s after its first two: a second too few.
    const ProgramResult r =
        runProgram("SNOLK_BIN/snolk-render --fps 30 --frames 210 --video v.mp4", true);
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(probe("v.mp4", "v", "nb_read_frames"), "nb_read_frames=210\n");
    EXPECT_NEAR(probedNumber("v.mp4", "a", "duration"), 7.0, 0.05);
    const std::vector<int16_t> sound = soundOf("v.mp4");
    ASSERT_GT(sound.size(), 6.9 * 8000);
    EXPECT_GT(std::abs(sound[(size_t)(5.9 * 8000)]) + std::abs(sound[(size_t)(5.9 * 8000) + 5]), 0);
    for (size_t i = (size_t)(6.1 * 8000); i < sound.size(); ++i) {
        ASSERT_EQ(sound[i], 0) << i / 8000.0 << " s";
    }
}

// The video's sound comes from the live show's player: a free-format track,
// which ffmpeg cannot read, plays, and a loop file that does not fit the
// track costs one line, as in the live show, instead of hours of video.
TEST(Video, TheSoundIsTheLiveShowsOwn) {
    const struct {
        const char* setUp;
        const char* options;
        double seconds; // of the video
    } cases[] = {
        {"ffmpeg -v error -f lavfi -i 'aevalsrc=0.5*sin(2*PI*440*t):d=4:s=44100' -ac 2 t.wav && "
         "lame --quiet --freeformat -b 320 t.wav data/laten2.mp3",
         "--frames 60", 1.0},
        // Until the greetings have risen: frame 1 shows the candles, at 2 frames a second.
        {"echo 'loop 0 2000000000' >data/laten2.loop", "--scene 7 --fps 2", -1},
    };
    const SurfacePtr greetings = loadPicture(SNOLK_SOURCE_DIR "/data/greets.png");
    ASSERT_TRUE(greetings);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options);
        VideoFolder folder;
        ASSERT_EQ(runProgram(c.setUp, true).status, 0);
        const ProgramResult r =
            runProgram(std::string("SNOLK_BIN/snolk-render --video v.mp4 ") + c.options, true);
        ASSERT_EQ(r.status, 0) << r.out;
        EXPECT_EQ(r.out.rfind("snolk-render: no loop: ", 0), 0u) << r.out;
        EXPECT_EQ(r.out.find('\n'), r.out.size() - 1) << r.out;
        const double seconds = c.seconds > 0 ? c.seconds : (1 + (480 + greetings->h + 1) / 2) / 2.0;
        EXPECT_NEAR(probedNumber("v.mp4", "v", "duration"), seconds, 0.1);
        EXPECT_NEAR(probedNumber("v.mp4", "a", "duration"), seconds, 0.1);
        // The made-up track ends before the candles' place in it.
        EXPECT_EQ(secondsUntilLoud(soundOf("v.mp4")) >= 0, c.seconds > 0);
    }
}

TEST(Video, ScaledRenderKeepsThePixelsSharpAndNoAudioLeavesTheSoundOut) {
    VideoFolder folder;
    const ProgramResult r = runProgram(
        "SNOLK_BIN/snolk-render --frames 3 --scale 2 --no-audio --video v.mp4 --png . --every 9",
        true);
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(probe("v.mp4", "v", "width,height,nb_read_frames"),
              "width=1280\nheight=960\nnb_read_frames=3\n");
    EXPECT_EQ(probe("v.mp4", "a", "codec_name"), "");

    ASSERT_EQ(runProgram("ffmpeg -v error -i v.mp4 -frames:v 1 decoded.png").status, 0);
    const SurfacePtr rendered = loadPicture("frame-000001.png");
    const SurfacePtr decoded = loadPicture("decoded.png");
    ASSERT_TRUE(rendered && decoded);
    const Difference d = compareFrames(rendered.get(), decoded.get(), 2);
    EXPECT_LT(d.mean, 2.0);
    EXPECT_LT(d.shareFarOff, 0.01);
}

TEST(Video, WithoutTheTrackTheVideoIsSilentAndSaysSo) {
    ScratchFolder folder;
    const ProgramResult r = runProgram("SNOLK_BIN/snolk-render --frames 2 --video v.mp4", true);
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("no music: "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("data/laten2.mp3: No such file or directory; the video is silent"),
              std::string::npos)
        << r.out;
    EXPECT_EQ(probe("v.mp4", "v", "nb_read_frames"), "nb_read_frames=2\n");
    EXPECT_EQ(probe("v.mp4", "a", "codec_name"), "");
}

TEST(Video, AFailedEncodingLeavesNoFileBehind) {
    ScratchFolder folder;
    // An encoder that dies after a few frames (a full disk, say), one that
    // takes every frame and then fails, and none at all.
    ASSERT_EQ(
        runProgram("mkdir ffmpeg-dies ffmpeg-fails && "
                   "printf '#!/bin/sh\\n/usr/bin/head -c 3000000 >/dev/null\\n"
                   "echo \"No space left on device\" >&2\\nexit 1\\n' >ffmpeg-dies/ffmpeg && "
                   "printf '#!/bin/sh\\n/bin/cat >/dev/null\\nexit 1\\n' >ffmpeg-fails/ffmpeg && "
                   "chmod +x ffmpeg-dies/ffmpeg ffmpeg-fails/ffmpeg")
            .status,
        0);
    const struct {
        const char* path;
        const char* message;
    } cases[] = {{"$PWD/ffmpeg-dies", "ffmpeg stopped taking frames: Broken pipe"},
                 {"$PWD/ffmpeg-fails", "ffmpeg exited with status 1; no video written"},
                 {"/nonexistent", "cannot start ffmpeg: No such file or directory"}};
    for (const auto& c : cases) {
        const ProgramResult r = runProgram(std::string("PATH=") + c.path +
                                               " SNOLK_BIN/snolk-render --frames 10 --video v.mp4",
                                           true);
        EXPECT_EQ(r.status, 1) << c.path;
        EXPECT_NE(r.out.find(c.message), std::string::npos) << r.out;
        EXPECT_EQ(runProgram("ls -A").out, "ffmpeg-dies\nffmpeg-fails\n") << c.path;
    }
    const ProgramResult r =
        runProgram("SNOLK_BIN/snolk-render --frames 1 --video nowhere/v.mp4", true);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("cannot write nowhere/v.mp4: No such file or directory"),
              std::string::npos)
        << r.out;
}

TEST(Video, ProgressLineOnlyOnATerminal) {
    ScratchFolder folder;
    // script(1) gives the renderer a terminal.
    const ProgramResult r = runProgram(
        "script -qec 'SNOLK_BIN/snolk-render --frames 30 --no-audio --video v.mp4' /dev/null");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("\rframe 30 of 30, "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(" left\033[K\r\n"), std::string::npos) << r.out;
    EXPECT_TRUE(exists("v.mp4"));

    const ProgramResult piped =
        runProgram("SNOLK_BIN/snolk-render --frames 30 --no-audio --video w.mp4", true);
    EXPECT_EQ(piped.status, 0);
    EXPECT_EQ(piped.out.find("frame "), std::string::npos) << piped.out;
}

TEST(Video, BadVideoOptionsExitWithTwo) {
    ScratchFolder folder;
    for (const char* bad : {"--scale 0", "--scale 5", "--scale", "--video", "--video ''"}) {
        const ProgramResult r = runProgram(std::string("SNOLK_BIN/snolk-render ") + bad, true);
        EXPECT_EQ(r.status, 2) << bad;
        EXPECT_NE(r.out.find("usage: snolk-render"), std::string::npos) << bad;
    }
}

TEST(Video, WholeShowLengthIsKnownBeforehand) {
    enterSourceTree();
    RenderOptions o;
    o.fps = 10;
    o.startSeconds = 7;
    const ProgramResult r =
        runProgram("SNOLK_BIN/snolk-render --hash --fps 10 --start 7 | grep -c '^frame '");
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(atoll(r.out.c_str()), clockOf(o).wholeShowFrames());
}

// By default a video runs until the greetings have risen past the top and
// the track's looped ending has played through once, whichever comes later;
// at 4 frames a second the greetings take longer, so the ending loops on,
// and the sound fades out over the last second.
TEST(Video, AWholeShowVideoEndsWithTheGreetingsAndTheMusic) {
    enterSourceTree();
    ScratchFolder folder;
    unsetenv("SNOLK_DATA");
    const ProgramResult r = runProgram("SNOLK_BIN/snolk-render --fps 4 --video v.mp4", true);
    ASSERT_EQ(r.status, 0) << r.out;
    const ProgramResult scenes = runProgram(
        "cd " SNOLK_SOURCE_DIR " && SNOLK_BIN/snolk-render --fps 4 --hash | grep -m1 ' scene 7 '");
    const long candles = atol(scenes.out.c_str() + 6);
    const double seconds = probedNumber("v.mp4", "v", "duration");
    const SurfacePtr greetings = loadPicture(SNOLK_SOURCE_DIR "/data/greets.png");
    ASSERT_TRUE(greetings);
    // Two rows a frame from just below the bottom edge to just above the top.
    EXPECT_NEAR(seconds, (double)(candles + (480 + greetings->h + 1) / 2) / 4.0, 0.3);
    const std::vector<int16_t> sound = soundOf("v.mp4");
    ASSERT_NEAR(sound.size() / 8000.0, seconds, 0.1);
    auto loudness = [&](double from, double to) {
        double sum = 0;
        for (size_t i = (size_t)(from * 8000); i < (size_t)(to * 8000) && i < sound.size(); ++i) {
            sum += std::abs(sound[i]);
        }
        return sum / ((to - from) * 8000);
    };
    EXPECT_GT(loudness(seconds - 3, seconds - 1.5), 300) << "the looped ending plays on";
    EXPECT_LT(loudness(seconds - 0.1, seconds), loudness(seconds - 3, seconds - 1.5) / 8);
}
