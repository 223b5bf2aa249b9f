// Encodes the rendered frames to an H.264 video with the music as AAC by
// feeding raw frames to the ffmpeg program on a pipe (shell/encoder_process.h:
// the video gets its name only once ffmpeg has finished it).
#pragma once

#include <SDL.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

struct EncoderProcess;

struct VideoSettings {
    std::string path;            // the finished video
    int64_t fps = 60;            // frames per second of the video
    int scale = 1;               // nearest-neighbour enlargement, 1 ... 4
    std::string musicPath;       // empty = no sound
    Uint32 musicOffsetMs = 2000; // the track's position at the first frame
    // The track's looped ending, in sample frames at loopRate counted from
    // the track's first sample; end 0 = none: the track plays once.
    int64_t loopStart = 0;
    int64_t loopEnd = 0;
    long loopRate = 44100;
    double fadeOutAt = -1; // seconds into the video where a one-second fade starts; < 0 none
};

struct VideoWriter {
    EncoderProcess* encoder = nullptr; // ffmpeg, while it runs
};

// The ffmpeg command line that turns raw 640 x 480 bgr0 frames on standard
// input into the video at outputPath.
std::vector<std::string> encoderArguments(const VideoSettings& settings,
                                          const std::string& outputPath);

// Starts ffmpeg. On failure prints the reason to err and returns false.
bool openVideo(VideoWriter& writer, const VideoSettings& settings, FILE* err);

// True for the 640 x 480 0x00RRGGBB frames the encoder is told to expect.
bool frameFitsVideo(const SDL_Surface* frame);

// Sends one frame that fits. False, with errno set, when ffmpeg no longer
// takes frames, or when a quit signal came while it was not taking them.
bool writeVideoFrame(VideoWriter& writer, const SDL_Surface* frame);

// Lets ffmpeg finish and gives the video its final name. False (after a
// message, and with nothing left behind) when ffmpeg failed.
bool finishVideo(VideoWriter& writer, FILE* err);

// Stops ffmpeg and removes what it wrote so far.
void abandonVideo(VideoWriter& writer);
