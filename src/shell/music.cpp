// The track is decoded in the audio callback, a callback's worth at a time,
// so nothing waits for the whole track and memory does not grow with it.
// The loop is played by seeking back: libmpg123's seeks are sample-exact
// with gapless decoding (it decodes a few frames ahead of the target and
// drops them), so every pass through the loop gives the very samples of the
// first.
#include "shell/music.h"

#include "shell/display.h"
#include "shell/monotonic_clock.h"
#include "shell/regular_file.h"

#include <SDL.h>
#include <mpg123.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>

struct MusicStream {
    mpg123_handle* decoder = nullptr;
    int file = -1;
    long rate = 0;
    bool looping = false;
    LoopPoints loop;
    int64_t position = 0; // the frame the decoder gives next, from the track's first
    bool ended = false;   // past the track's end, or it broke: silence from here on
};

namespace {

constexpr int kFrameBytes = 2 * (int)sizeof(Sint16); // 16-bit stereo
constexpr size_t kLargestLoopFile = 64 * 1024;
// How far before the loop's end a damaged track may end and still loop.
constexpr int64_t kLostFramesForgiven = kLoopRate;

// The file's text when it is a regular file of at most kLargestLoopFile bytes.
bool readSmallFile(const char* path, std::string& text, std::string& why) {
    const int file = openRegularFile(path, why);
    if (file < 0) {
        return false;
    }
    text.resize(kLargestLoopFile + 1);
    size_t size = 0;
    ssize_t count = 0;
    while (size < text.size() && (count = read(file, &text[size], text.size() - size)) > 0) {
        size += (size_t)count;
    }
    close(file);
    if (count < 0) {
        why = std::string(path) + ": " + strerror(errno);
        return false;
    }
    if (size > kLargestLoopFile) {
        why = std::string(path) + ": larger than a loop file can be";
        return false;
    }
    text.resize(size);
    return true;
}

// Reads "loop START END" (the keyword already read); false when the line
// holds anything else, a number out of 64-bit range included.
bool readLoopLine(std::istringstream& words, LoopPoints& loop) {
    std::string extra;
    return (bool)(words >> loop.start >> loop.end) && !(words >> extra);
}

// Why the points cannot make a loop; empty when they can.
std::string whatIsWrongWith(const LoopPoints& loop) {
    if (loop.start < 0) {
        return "the loop starts before the track";
    }
    if (loop.start >= loop.end) {
        return "the loop ends before it starts";
    }
    if (loop.end - loop.start < kShortestLoop) {
        return "the loop is shorter than a second";
    }
    return "";
}

// Whether the loop can be played on this track: the points count frames at
// kLoopRate, and the loop ends inside the track. The track's length comes
// from its LAME tag, or is estimated from the file's size without one; a
// track that still ends before the loop's end falls silent there.
bool loopFitsTrack(const MusicStream& stream, const LoopPoints& loop, const char* loopPath,
                   std::string& why) {
    if (stream.rate != kLoopRate) {
        why = std::string(loopPath) + ": it counts at 44100 Hz, the track plays at " +
              std::to_string(stream.rate) + " Hz";
        return false;
    }
    const int64_t length = mpg123_length(stream.decoder);
    if (length < 0) {
        why = std::string(loopPath) + ": the track's length is unknown";
        return false;
    }
    if (loop.end > length) {
        why = std::string(loopPath) + ": the loop ends at frame " + std::to_string(loop.end) +
              ", after the track's end at frame " + std::to_string(length);
        return false;
    }
    return true;
}

// A decoder of the open file for 16-bit stereo at the track's own rate.
// libmpg123 would print its own lines for a broken file; ours is enough.
// ID3v2 tags are skipped, never read into memory; a stream that changes its
// format midway ends there, so the output never changes under the device.
// NOTE: the format asked for after the first frame has been read does not
// apply to it: a mono track would still come out mono, and play twice as
// fast. Forcing stereo from the start makes every track stereo.
mpg123_handle* openDecoder(int file, long& rate) {
    mpg123_handle* decoder = mpg123_new(nullptr, nullptr);
    if (decoder == nullptr) {
        return nullptr;
    }
    mpg123_param(decoder, MPG123_ADD_FLAGS,
                 MPG123_QUIET | MPG123_GAPLESS | MPG123_SKIP_ID3V2 | MPG123_NO_FRANKENSTEIN |
                     MPG123_FORCE_STEREO,
                 0);
    int channels = 0;
    int encoding = 0;
    if (mpg123_open_fd(decoder, file) != MPG123_OK ||
        mpg123_getformat(decoder, &rate, &channels, &encoding) != MPG123_OK ||
        mpg123_format_none(decoder) != MPG123_OK ||
        mpg123_format(decoder, rate, MPG123_STEREO, MPG123_ENC_SIGNED_16) != MPG123_OK) {
        mpg123_delete(decoder);
        return nullptr;
    }
    return decoder;
}

MusicStream* openTrack(const char* path, std::string& why) {
    const int file = openRegularFile(path, why);
    if (file < 0) {
        return nullptr;
    }
    long rate = 0;
    mpg123_handle* decoder = openDecoder(file, rate);
    if (decoder == nullptr) {
        why = std::string(path) + ": not a playable MP3 track";
        close(file);
        return nullptr;
    }
    MusicStream* stream = new MusicStream;
    stream->decoder = decoder;
    stream->file = file;
    stream->rate = rate;
    return stream;
}

// Moves the decoder to a frame. A seek that fails (a damaged MPEG frame
// where it lands) is tried again from each following MPEG frame up to
// `limit`, so that the music goes on a moment later rather than falling
// silent; a track that cannot get anywhere before limit has ended.
void seekTo(MusicStream& stream, int64_t frame, int64_t limit) {
    const int64_t step = std::max(1, mpg123_spf(stream.decoder));
    for (int64_t at = frame; at == frame || at < limit; at += step) {
        if (mpg123_seek(stream.decoder, (off_t)at, SEEK_SET) == (off_t)at) {
            stream.position = at;
            return;
        }
    }
    stream.ended = true;
}

// How far a seek to frame may be moved on: within the loop when it lies in
// it, else within a second.
int64_t seekLimit(const MusicStream& stream, int64_t frame) {
    return stream.looping && frame < stream.loop.end ? stream.loop.end : frame + stream.rate;
}

// Where fromMs lies in the track as it plays: past the loop's end the show
// has gone round the loop, so the time is folded into it.
int64_t frameAt(const MusicStream& stream, Uint32 fromMs) {
    const int64_t frame = (int64_t)fromMs * stream.rate / 1000;
    if (!stream.looping || frame < stream.loop.end) {
        return frame;
    }
    const int64_t length = stream.loop.end - stream.loop.start;
    return stream.loop.start + (frame - stream.loop.start) % length;
}

// Pulls `frames` frames through fillMusic and drops them.
void playWithoutDevice(MusicStream* stream, int64_t frames) {
    Uint8 buffer[4096 * kFrameBytes];
    for (int64_t left = frames; left > 0; left -= 4096) {
        fillMusic(stream, buffer, (int)sizeof buffer);
    }
}

// The time, in milliseconds, half a second before a frame at kLoopRate;
// 0 for frames before that, and clamped to what a Uint32 holds.
Uint32 halfASecondBefore(int64_t frame) {
    // NOTE: whole seconds and the rest apart, so no 64-bit product overflows.
    const int64_t ms = frame / kLoopRate * 1000 + frame % kLoopRate * 1000 / kLoopRate;
    return (Uint32)std::clamp<int64_t>(ms - 500, 0, UINT32_MAX);
}

MusicStream* playing = nullptr;
constexpr Uint16 kDeviceBufferFrames = 2048;
// What PulseAudio holds ahead of a callback's frames, in per cent of the
// buffer SDL granted (1024 frames on classic SDL 1.2, 2048 on sdl12-compat),
// measured with bench/av_sync.py against a PulseAudio null sink.
constexpr int64_t kClassicPulseQueuePercent = 140;
constexpr int64_t kCompatPulseQueuePercent = 30;

// Where the player reports what the device takes, and how many frames the
// device holds ahead of each callback's: what the backend was granted, by
// what it is known to queue (queuedFrames below).
SoundClock* listening = nullptr;
int64_t queuedAhead = 0;

void fillAudio(void* stream, Uint8* out, int bytes) {
    fillMusic(static_cast<MusicStream*>(stream), out, bytes);
    if (listening != nullptr) {
        listening->deviceTook(monotonicMilliseconds(), bytes / kFrameBytes, queuedAhead);
    }
}

// The frames a device holds before the frames one callback hands it, for a
// callback of `granted` frames, as each SDL build's backends queue them.
// Other backends than PulseAudio play one buffer while the callback fills
// the next.
int64_t queuedFrames(int64_t granted) {
    char name[32] = "";
    SDL_AudioDriverName(name, (int)sizeof name);
    if (strcmp(name, "pulse") == 0 || strcmp(name, "pulseaudio") == 0) {
        const int64_t percent =
            onSdl12Compat() ? kCompatPulseQueuePercent : kClassicPulseQueuePercent;
        return granted * percent / 100;
    }
    return granted;
}

bool openAudio(MusicStream* stream, std::string& why) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0) {
        why = SDL_GetError();
        return false;
    }
    SDL_AudioSpec wanted = {};
    wanted.freq = (int)stream->rate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    wanted.samples = kDeviceBufferFrames;
    wanted.callback = fillAudio;
    wanted.userdata = stream;
    // The spec the device grants, so that the clock knows the buffer each
    // callback fills; where it is not the player's own format, SDL
    // converts instead, and the callback fills the buffer asked for.
    SDL_AudioSpec granted = {};
    if (SDL_OpenAudio(&wanted, &granted) < 0) {
        why = SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    if (granted.freq != wanted.freq || granted.format != wanted.format ||
        granted.channels != wanted.channels) {
        SDL_CloseAudio();
        if (SDL_OpenAudio(&wanted, nullptr) < 0) {
            why = SDL_GetError();
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return false;
        }
        granted.samples = wanted.samples;
    }
    queuedAhead = queuedFrames(granted.samples);
    return true;
}

} // namespace

bool readLoopPoints(const char* loopPath, LoopPoints& out, std::string& why) {
    std::string text;
    if (!readSmallFile(loopPath, text, why)) {
        return false;
    }
    std::istringstream lines(text);
    std::string line;
    bool found = false;
    for (int number = 1; std::getline(lines, line); ++number) {
        std::istringstream words(line);
        std::string keyword;
        if (!(words >> keyword) || keyword[0] == '#') {
            continue; // a blank line or a comment
        }
        LoopPoints loop;
        if (keyword != "loop" || found || !readLoopLine(words, loop)) {
            why = std::string(loopPath) + ": line " + std::to_string(number) +
                  (found && keyword == "loop" ? " is a second loop line"
                                              : " is neither a comment nor \"loop START END\"");
            return false;
        }
        out = loop;
        found = true;
    }
    const std::string wrong = found ? whatIsWrongWith(out) : "no \"loop START END\" line";
    if (!wrong.empty()) {
        why = std::string(loopPath) + ": " + wrong;
        return false;
    }
    return true;
}

MusicStream* openMusicStream(const char* trackPath, const char* loopPath, Uint32 fromMs,
                             std::string& why, std::string& loopWhy) {
    MusicStream* stream = openTrack(trackPath, why);
    if (stream == nullptr) {
        return nullptr;
    }
    LoopPoints loop;
    if (loopPath != nullptr && readLoopPoints(loopPath, loop, loopWhy) &&
        loopFitsTrack(*stream, loop, loopPath, loopWhy)) {
        stream->looping = true;
        stream->loop = loop;
    }
    const int64_t from = frameAt(*stream, fromMs);
    if (from > 0) {
        seekTo(*stream, from, seekLimit(*stream, from));
    }
    return stream;
}

void fillMusic(MusicStream* stream, Uint8* out, int bytes) {
    Uint8* at = out;
    int64_t wanted = bytes / kFrameBytes;
    // A read that gives nothing is allowed once (libmpg123 announces the
    // output format so); more in a row mean a track that gives no more.
    int emptyReads = 0;
    while (wanted > 0 && !stream->ended && emptyReads < 3) {
        if (stream->looping && stream->position >= stream->loop.end) {
            seekTo(*stream, stream->loop.start, stream->loop.end);
            continue;
        }
        const int64_t untilLoopEnd =
            stream->looping ? stream->loop.end - stream->position : INT64_MAX;
        const int64_t asked = std::min(wanted, untilLoopEnd);
        size_t done = 0;
        const int status = mpg123_read(stream->decoder, at, (size_t)(asked * kFrameBytes), &done);
        // libmpg123 hands out whole frames of the format it was given.
        const int64_t got = (int64_t)(done / kFrameBytes);
        at += got * kFrameBytes;
        wanted -= got;
        stream->position += got;
        emptyReads = got == 0 ? emptyReads + 1 : 0;
        if (status == MPG123_OK || status == MPG123_NEW_FORMAT) {
            continue;
        }
        // The end of the track, or a break in it. A track that lost a few
        // frames to damage ends a little before the loop's end: the loop
        // then turns there. One cut short further back falls silent.
        if (stream->looping && stream->position > stream->loop.start &&
            stream->loop.end - stream->position <= kLostFramesForgiven) {
            seekTo(*stream, stream->loop.start, stream->loop.end);
        } else {
            stream->ended = true;
        }
    }
    memset(at, 0, (size_t)(out + bytes - at));
}

long musicRate(const MusicStream* stream) {
    return stream->rate;
}

bool musicLoop(const MusicStream* stream, LoopPoints& loop) {
    if (stream->looping) {
        loop = stream->loop;
    }
    return stream->looping;
}

void closeMusicStream(MusicStream* stream) {
    if (stream == nullptr) {
        return;
    }
    mpg123_close(stream->decoder);
    mpg123_delete(stream->decoder);
    close(stream->file); // libmpg123 leaves a descriptor it was given open
    delete stream;
}

bool startMusic(const char* trackPath, const char* loopPath, Uint32 fromMs, SoundClock* clock) {
    stopMusic();

    std::string why;
    std::string loopWhy;
    MusicStream* stream = openMusicStream(trackPath, loopPath, fromMs, why, loopWhy);
    if (stream == nullptr || !openAudio(stream, why)) {
        fprintf(stderr, "no music: %s\n", why.c_str());
        closeMusicStream(stream);
        return false;
    }
    if (!loopWhy.empty()) {
        fprintf(stderr, "no loop: %s; the music plays once\n", loopWhy.c_str());
    }
    playing = stream;
    SDL_LockAudio();
    listening = clock;
    if (clock != nullptr) {
        clock->startAt(fromMs, stream->rate);
    }
    SDL_UnlockAudio();
    SDL_PauseAudio(0);
    return true;
}

void seekMusic(Uint32 fromMs) {
    if (playing == nullptr) {
        return;
    }
    SDL_LockAudio();
    playing->ended = false;
    const int64_t frame = frameAt(*playing, fromMs);
    seekTo(*playing, frame, seekLimit(*playing, frame));
    if (listening != nullptr) {
        listening->startAt(fromMs);
    }
    SDL_UnlockAudio();
}

void pauseMusic(bool paused) {
    if (playing == nullptr) {
        return;
    }
    SDL_PauseAudio(paused ? 1 : 0);
    if (paused && listening != nullptr) {
        listening->pause(monotonicMilliseconds());
    }
}

void stopMusic() {
    if (playing == nullptr) {
        return;
    }
    SDL_PauseAudio(1);
    SDL_CloseAudio(); // waits for the callback to return
    listening = nullptr;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    closeMusicStream(playing);
    playing = nullptr;
}

bool musicIsPlayable(const char* path, std::string& why) {
    MusicStream* stream = openTrack(path, why);
    if (stream == nullptr) {
        return false;
    }
    Uint8 buffer[2048 * kFrameBytes];
    fillMusic(stream, buffer, (int)sizeof buffer);
    const bool playable = stream->position > 0;
    if (!playable) {
        why = std::string(path) + ": not a playable MP3 track";
    }
    closeMusicStream(stream);
    return playable;
}

void exerciseMusicFile(const char* trackPath, const char* loopPath, Uint32 seekMs) {
    std::string why;
    std::string loopWhy;
    Uint32 acrossLoopEnd = 0;
    for (const Uint32 fromMs : {0u, seekMs}) {
        MusicStream* stream = openMusicStream(trackPath, loopPath, fromMs, why, loopWhy);
        if (stream == nullptr) {
            return;
        }
        playWithoutDevice(stream, 2 * stream->rate);
        if (stream->looping) {
            acrossLoopEnd = halfASecondBefore(stream->loop.end);
        }
        closeMusicStream(stream);
    }
    MusicStream* stream = acrossLoopEnd > 0
                              ? openMusicStream(trackPath, loopPath, acrossLoopEnd, why, loopWhy)
                              : nullptr;
    if (stream != nullptr) {
        playWithoutDevice(stream, 2 * stream->rate);
        closeMusicStream(stream);
    }
}
