// The show's music: an MP3 track decoded with libmpg123 while it plays
// through SDL audio, its ending looped without a seam for as long as the
// last scene lasts.
#pragma once

#include "drivers/sound_clock.h"

#include <SDL.h>

#include <cstdint>
#include <string>

// The looped ending, in sample frames at kLoopRate counted from the first
// sample a gapless decoder returns (the encoder's delay and padding removed
// as the LAME tag says): the track plays [0, end), then [start, end) over
// and over.
struct LoopPoints {
    int64_t start = 0;
    int64_t end = 0;
};

constexpr long kLoopRate = 44100;
constexpr int64_t kShortestLoop = kLoopRate; // one second; a shorter loop would buzz

// Reads the loop file the music generator writes beside the track: lines
// starting with '#' are comments, blank lines are skipped, and exactly one
// line reads "loop START END" with 0 <= START and END - START at least
// kShortestLoop. False, with why (one line that names the file), for
// anything else, including a file that is not a small regular file.
bool readLoopPoints(const char* loopPath, LoopPoints& out, std::string& why);

// Starts playing the track fromMs milliseconds in, looped as the loop file
// says. Prints at most one line on standard error: "no music: <reason>"
// when the track or the sound device cannot be opened (then returns false
// and the show runs silently), or "no loop: <reason>; ..." when the track
// plays but the loop file is missing or does not fit the track (the track
// then plays once and falls silent). Starts at once whatever the file: the
// track is decoded as it plays, so memory stays at one decoder's (well under
// a megabyte) however long the track is. Each audio callback reports to the
// clock, when one is given, what the device took and what it holds ahead.
bool startMusic(const char* trackPath, const char* loopPath, Uint32 fromMs,
                SoundClock* clock = nullptr);

// Moves the music that plays to fromMs milliseconds into the track, as
// startMusic would start it there, and the clock with it. Does nothing when
// no music plays.
void seekMusic(Uint32 fromMs);

// Holds the music where it is (paused true), the clock standing with it, or
// lets it go on (seek it to where the show stands first). Does nothing when
// no music plays.
void pauseMusic(bool paused);

// Stops the music and closes the audio device. Safe to call when none plays.
void stopMusic();

// Whether the MP3 at path opens and decodes; why not, when it does not.
bool musicIsPlayable(const char* path, std::string& why);

// The player without a sound device, for the tests and the fuzzer: the
// stream the audio callback plays from, and the callback's own work.
struct MusicStream;

// Opens the track for playing from fromMs, looped as loopPath says (none
// when loopPath is null). Null with why when the track cannot be played;
// loopWhy is set when a loop file was named but the track will play once.
// Prints nothing.
MusicStream* openMusicStream(const char* trackPath, const char* loopPath, Uint32 fromMs,
                             std::string& why, std::string& loopWhy);

// What the audio callback does: fills `bytes` bytes with the next 16-bit
// stereo frames at the track's own rate, and with silence once the track has
// ended or broken. A looped track turns at the loop's end, or up to a
// second earlier where damage cost it frames, and a seek that fails on a
// damaged frame goes on from the next good one: the loop does not fall
// silent while it can play.
// Never allocates and never waits on anything but reads of the (regular)
// track file.
void fillMusic(MusicStream* stream, Uint8* out, int bytes);

void closeMusicStream(MusicStream* stream);

// The rate the stream plays at, and its loop (false when it plays once).
long musicRate(const MusicStream* stream);
bool musicLoop(const MusicStream* stream, LoopPoints& loop);

// For the fuzzer: plays a file through the player without a sound device,
// two seconds from the top, two from seekMs, and two across the loop's end
// when the loop file fits the track. Prints nothing; any file, however
// broken, returns in bounded time and memory.
void exerciseMusicFile(const char* trackPath, const char* loopPath, Uint32 seekMs);
